// The reader's selection in the main view: dragging with the left button,
// Shift+click, Shift with the line and page keys, Escape. A press that does
// not become a drag is still a click, paging as ever.
#pragma once
#include <windows.h>

// True when the press landed in the text box and is held for a drag.
bool SelectionButtonDown(HWND window, WPARAM keys, LPARAM point);
void SelectionMouseMove(HWND window, LPARAM point);
// Ends a press; one that never dragged runs the click.
void SelectionButtonUp(HWND window, LPARAM point);
// Another window took the mouse: the press ends as it stands, no click.
void SelectionCaptureLost(HWND window);

// Shift with Up (-1), Down (+1) or a page of lines: the selection runs from
// the top visible line to the line the steps reach.
void SelectLines(HWND window, int lines);

// 1 when there was a selection to clear.
int ClearSelection(HWND window);
// The selection's reading range in the shown text; false when there is none.
bool CurrentSelection(unsigned* first, unsigned* last);

struct TextView;
// The reading range of the lines the page shows; false when it shows none.
bool PageReadingRange(TextView* view, unsigned* first, unsigned* last);
