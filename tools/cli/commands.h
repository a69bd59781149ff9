// Subcommands of quorin-cli; each lives in its own cmd_*.cpp.
#pragma once
#include <cstdint>

using CommandFn = int (*)(int argc, char** argv);

// argv[0] is the subcommand's own name; the return value is the exit code.
int CmdDay(int argc, char** argv);
int CmdToday(int argc, char** argv);
int CmdLesson(int argc, char** argv);
int CmdIndex(int argc, char** argv);
int CmdSearch(int argc, char** argv);
int CmdExport(int argc, char** argv);

// A plain decimal number (digits only) from low to high, or false.
bool ParseNumber(const char* arg, long low, long high, long* value);

// Takes "--width N" (N from READING_MIN_WIDTH to READING_MAX_WIDTH) out of
// the arguments; without it the width is the terminal's. False when the
// option is there but its value is not.
bool TakeWidthOption(int& argc, char** argv, int* width);

// Takes flag out of the arguments; true when it was there.
bool TakeFlag(int& argc, char** argv, const char* flag);

// The day's heading and its lesson as one self-contained HTML page on
// standard output: 0, or 2 as PrintLessonForReading.
int PrintDayPage(int32_t day, int lesson, const char* command);

// The lesson in the reading layout on standard output: 0, or 2 (with a line
// on standard error naming the command) when it does not load.
int PrintLessonForReading(int lesson, int width, const char* command);
