// The book's container: mimetype first and stored, the rest deflated.
#include <algorithm>

#include "calendar/calendar.h"
#include "tools/cli/epub_book.h"
#include "tools/cli/zip_writer.h"

namespace {

// zlib's own default: the slowest level makes the book under 1% smaller at
// half again the time.
constexpr int DEFLATE_LEVEL = 6;

// The start of the day. Zip dates run from 1980 through 2107: a year outside
// takes the nearest, through the calendar so 29 February becomes 1 March in
// 2107, which has none.
DosStamp StampOf(int32_t day)
{
    DateRec g = GregorianFromAbsolute(day);
    g = GregorianFromAbsolute(AbsoluteFromGregorian(g.month, g.day, std::clamp(g.year, 1980, 2107)));
    return {0, uint16_t((g.year - 1980) << 9 | g.month << 5 | g.day)};
}

}  // namespace

bool ZipEpub(const std::vector<BookFile>& files, int32_t day, std::string& zipped, std::string& error)
{
    ZipWriter zip(StampOf(day));
    for (size_t i = 0; i < files.size(); ++i) {
        // The reading system finds the mimetype by its plain bytes at the start.
        if (!zip.Add(files[i].name, files[i].bytes, i == 0 ? 0 : DEFLATE_LEVEL, error)) return false;
    }
    return zip.Finish(zipped, error);
}
