// Resource identifiers shared by the .rc files and the code.
#pragma once

// Program icon, menu and accelerators.
#define IDI_PROGRAM          101
#define IDR_MAIN_MENU        102
#define IDR_ACCELERATORS     3

// Dialog templates.
#define IDD_ABOUT            103
#define IDD_FONT             105
#define IDD_CALENDAR         106
#define IDD_SEARCH           115
#define IDD_SECTIONS         118

// Bitmaps.
#define IDB_ABOUT_PICTURE    113
#define IDB_TOOLBAR          114
#define IDB_ALPHABET         119
#define IDB_TREE_CLOSED      201
#define IDB_TREE_OPEN        202
#define IDB_TREE_PAGE        203
// The same pictures drawn at twice and three times the size, for displays
// scaled to 200 % and 300 % (and smoothly scaled down to the sizes between).
#define ART_2X               1000
#define ART_3X               2000
#define IDB_TOOLBAR_2X       1114
#define IDB_TOOLBAR_3X       2114
#define IDB_ALPHABET_2X      1119
#define IDB_ALPHABET_3X      2119
#define IDB_TREE_CLOSED_2X   1201
#define IDB_TREE_CLOSED_3X   2201
#define IDB_TREE_OPEN_2X     1202
#define IDB_TREE_OPEN_3X     2202
#define IDB_TREE_PAGE_2X     1203
#define IDB_TREE_PAGE_3X     2203

// Child controls of the main window.
#define IDC_TOOLBAR          1

// Menu and accelerator commands.
#define IDM_CALENDAR         107
#define IDM_TODAY            108
#define IDM_NEXT_DAY         109
#define IDM_PREVIOUS_DAY     110
#define IDM_SEARCH           116
#define IDM_SEARCH_AGAIN     117
#define IDM_INDEX            119
#define IDM_REVERSE          122
#define IDM_BOOKMARK         123
#define IDM_CHECK_UPDATES    129
#define IDM_ONE_CHAPTER      141
#define IDM_ABOUT            40004
#define IDM_EXIT             40005
#define IDM_FONT             40006
#define IDM_COPY             40007
#define IDM_PRINT            40008
#define IDM_APPEND           40009
#define IDM_ZOOM_IN          40020
#define IDM_ZOOM_OUT         40021
#define IDM_ZOOM_RESET       40022
#define IDM_COLOURS_PAPER    40023
#define IDM_COLOURS_SEPIA    40024
#define IDM_COLOURS_NIGHT    40025
#define IDM_LEARNED          40026
#define IDM_NEXT_UNLEARNED   40027

// Search dialog (115).
#define IDC_SEARCH_TEXT      1013
#define IDC_SEARCH_ANY_SPELLING 1014
#define IDC_SEARCH_WHOLE_WORDS  1015

// About box (103).
#define IDC_ABOUT_LINK       1025

// Font dialog (105).
#define IDC_FONT_FACES       1001
#define IDC_FONT_SAMPLE      1002
#define IDC_FONT_BASE_97     1003
#define IDC_FONT_BASE_224    1004
#define IDC_FONT_BASE_5D0    1005
#define IDC_FONT_SIZES       1006
