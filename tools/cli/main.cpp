// quorin-cli: the program's portable heart from a terminal.
#include <cstdio>
#include <cstring>
#include "tools/cli/commands.h"

// Weak so the companion builds while a subcommand is still missing.
#pragma weak CmdDay
#pragma weak CmdToday
#pragma weak CmdLesson
#pragma weak CmdIndex
#pragma weak CmdSearch

namespace {

struct Command {
    const char* name;
    CommandFn fn;
    const char* usage;
    const char* help;
};

const Command kCommands[] = {
    {"today", CmdToday, "today", "today's day, dates, lesson and Hebrew date"},
    {"day", CmdDay, "day ABS", "the same for an absolute day number"},
    {"lesson", CmdLesson, "lesson N [--raw]", "lesson N as text in reading order (or its raw bytes)"},
    {"index", CmdIndex, "index", "the table of contents as a tree with each entry's key"},
    {"search", CmdSearch, "search PATTERN [--from LESSON]", "every hit of PATTERN around the cycle"},
};

void PrintHelp(FILE* out)
{
    std::fprintf(out, "usage: quorin-cli COMMAND [ARGS]\n\n");
    for (const Command& c : kCommands)
        if (c.fn) std::fprintf(out, "  %-32s %s\n", c.usage, c.help);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        PrintHelp(stderr);
        return 2;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help")) {
        PrintHelp(stdout);
        return 0;
    }
    for (const Command& c : kCommands)
        if (c.fn && !std::strcmp(argv[1], c.name)) return c.fn(argc - 1, argv + 1);
    std::fprintf(stderr, "quorin-cli: unknown command '%s' (try --help)\n", argv[1]);
    return 2;
}
