// Subcommands of quorin-cli; each lives in its own cmd_*.cpp.
#pragma once
#include <cstdint>
#include "calendar/portion_schedule.h"
#include "settings/settings.h"

using CommandFn = int (*)(int argc, char** argv);

// argv[0] is the subcommand's own name; the return value is the exit code.
int CmdDay(int argc, char** argv);
int CmdToday(int argc, char** argv);
int CmdLesson(int argc, char** argv);
int CmdIndex(int argc, char** argv);
int CmdSearch(int argc, char** argv);
int CmdExport(int argc, char** argv);
int CmdPortion(int argc, char** argv);

// Takes "--track 1" or "--track 3" out of the arguments (3 without it).
// False when the option is there but its value is not.
bool TakeTrackOption(int& argc, char** argv, int* track);

// The reading of a track's day: lesson or portion number, 1..339 or 1..1017.
int ReadingOfDay(int track, int32_t day);

// A plain decimal number (digits only) from low to high, or false.
bool ParseNumber(const char* arg, long low, long high, long* value);

// Takes "--width N" (N from READING_MIN_WIDTH to READING_MAX_WIDTH) out of
// the arguments; without it the width is the terminal's. False when the
// option is there but its value is not.
bool TakeWidthOption(int& argc, char** argv, int* width);

// Takes flag out of the arguments; true when it was there.
bool TakeFlag(int& argc, char** argv, const char* flag);

// The day's heading and its reading (a lesson, or a portion on track 1) as
// one self-contained HTML page on standard output: 0, or 2 as
// PrintLessonForReading.
int PrintDayPage(int32_t day, int track, int number, const char* command);

// The lesson (or the portion on track 1) in the reading layout on standard
// output: 0, or 2 (with a line on standard error naming the command) when it
// does not load.
int PrintLessonForReading(int track, int number, int width, const char* command);
