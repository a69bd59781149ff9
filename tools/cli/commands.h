// Subcommands of quorin-cli; each lives in its own cmd_*.cpp.
#pragma once

using CommandFn = int (*)(int argc, char** argv);

// argv[0] is the subcommand's own name; the return value is the exit code.
int CmdDay(int argc, char** argv);
int CmdToday(int argc, char** argv);
int CmdLesson(int argc, char** argv);
int CmdIndex(int argc, char** argv);
int CmdSearch(int argc, char** argv);
