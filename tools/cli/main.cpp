// quorin-cli: the program's portable heart from a terminal.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "tools/cli/commands.h"
#include "tools/cli/reading_text.h"

namespace {

struct Command {
    const char* name;
    CommandFn fn;
    const char* usage;
    const char* help;
};

const Command COMMAND_TABLE[] = {
    {"today", CmdToday, "today [--track T] [--width N | --html]",
     "today's line (day, dates, lesson, Hebrew date), then today's lesson to read"},
    {"day", CmdDay, "day ABS [--track T]", "the same line for an absolute day number (day 1 = 1 January 1)"},
    {"lesson", CmdLesson, "lesson N [--width N | --raw | --html]",
     "lesson N (1..339) to read, or its decompressed bytes unchanged with --raw"},
    {"portion", CmdPortion, "portion N [--width N | --raw | --html]",
     "the one-chapter track's day N (1..1017) to read, or its bytes with --raw"},
    {"index", CmdIndex, "index", "the table of contents as a tree with each entry's key"},
    {"search", CmdSearch, "search PATTERN [--any-spelling] [--whole-words] [--from LESSON]",
     "every hit of a Hebrew PATTERN (* and ?) around the cycle"},
    {"export", CmdExport, "export epub FILE [--from D] [--days N] [--track T]",
     "an EPUB 3 of N days' readings (default a cycle) from day D (YYYY-MM-DD; default today)"},
};

void PrintHelp(FILE* out)
{
    std::fprintf(out, "usage: quorin-cli COMMAND [ARGS]\n\n");
    for (const Command& c : COMMAND_TABLE)
        std::fprintf(out, "  %-32s %s\n", c.usage, c.help);
    std::fprintf(out,
                 "  %-32s %s\n\n"
                 "Lessons are printed as UTF-8 in reading order: headings between == marks and\n"
                 "centred, each paragraph after its number, a rule as dashes, lines wrapped at\n"
                 "spaces to --width N characters (%d..%d; default the terminal's width, else\n"
                 "$COLUMNS, else %d). With --html, today and lesson write one right-to-left\n"
                 "HTML page instead: the day's heading (for a lesson, its nearest day), then\n"
                 "the lesson. --track 1 follows the one-chapter track (1,017 days, a portion a\n"
                 "day, \"portion N\" in the day's line); --track 3, the default, the lessons.\n"
                 "search --any-spelling also finds the word in its other spelling (a vav or yod\n"
                 "more or less, final letters, vowel points, punctuation between words);\n"
                 "--whole-words finds it only as a whole word.\n"
                 "Exit codes: 0 done, 1 search found nothing, 2 bad arguments, a lesson that\n"
                 "does not load, output or a book that cannot be written.\n",
                 "--help", "this text", READING_MIN_WIDTH, READING_MAX_WIDTH, READING_DEFAULT_WIDTH);
}

// Whatever the command printed must have arrived: a full disk or a reader
// gone from the pipe is an error, not a success.
int CheckOutput(const char* command, int code)
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return code;
    std::fprintf(stderr, "quorin-cli %s: the output could not be written%s%s\n", command, errno ? ": " : "",
                 errno ? std::strerror(errno) : "");
    return 2;
}

}  // namespace

bool ParseNumber(const char* arg, long low, long high, long* value)
{
    if (*arg < '0' || *arg > '9') return false;
    char* end;
    errno = 0;
    long v = std::strtol(arg, &end, 10);
    if (*end || errno || v < low || v > high) return false;
    *value = v;
    return true;
}

bool TakeFlag(int& argc, char** argv, const char* flag)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], flag)) continue;
        for (int j = i; j + 1 <= argc; ++j) argv[j] = argv[j + 1];
        --argc;
        return true;
    }
    return false;
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        PrintHelp(stderr);
        return 2;
    }
    if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help")) {
        PrintHelp(stdout);
        return CheckOutput("--help", 0);
    }
    // A closed pipe shows as a failed write (EPIPE), said and ended with 2
    // like any other, not as a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    for (const Command& c : COMMAND_TABLE)
        if (!std::strcmp(argv[1], c.name)) return CheckOutput(c.name, c.fn(argc - 1, argv + 1));
    std::fprintf(stderr, "quorin-cli: unknown command '%s' (try --help)\n", argv[1]);
    return 2;
}
