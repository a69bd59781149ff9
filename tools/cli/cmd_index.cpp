// quorin-cli index: the table of contents as an indented tree in reading
// order, each entry with its key (and its lesson when it leads to one).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "content/lesson_store.h"
#include "index/index_text.h"
#include "text/letter_code.h"
#include "tools/cli/commands.h"
#include "tools/cli/reading_text.h"

int CmdIndex(int argc, char** argv)
{
    if (argc != 1) {
        std::fprintf(stderr, "quorin-cli index: takes no arguments\n");
        return 2;
    }
    uint8_t* text = LoadLesson(INDEX_LESSON, nullptr);
    if (!text) {
        std::fprintf(stderr, "quorin-cli index: the index does not load\n");
        return 2;
    }
    IndexRecord r;
    for (const uint8_t* p = text; (p = ReadIndexRecord(p, &r));) {
        std::string indent(r.level > 1 ? 2 * (r.level - 1) : 0, ' ');
        std::printf("%s%s  0x%04X", indent.c_str(), ReadingUtf8({reinterpret_cast<const char*>(r.caption), r.length}).c_str(), r.key);
        if (r.key & INDEX_KEY_LINK) std::printf(" lesson %d", r.key & INDEX_KEY_LESSON);
        std::putchar('\n');
    }
    std::free(text);
    return 0;
}
