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
    bool ok = true;
    // The reading system finds the mimetype by its plain bytes at the start.
    for (size_t i = 0; ok && i < files.size(); ++i)
        ok = zip.Add(files[i].name, files[i].bytes, i ? DEFLATE_LEVEL : 0, error);
    if (ok && zip.Finish(zipped, error)) return true;
    error = "the container cannot be made: " + error;
    return false;
}
