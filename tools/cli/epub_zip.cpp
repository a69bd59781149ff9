// The book's container, made with libzip in memory.
#include <zip.h>

#include <ctime>

#include "calendar/calendar.h"
#include "tools/cli/epub_book.h"

namespace {

// zlib's own default: libzip's is the slowest level, which makes the book
// under 1% smaller at half again the time.
constexpr zip_uint32_t DEFLATE_LEVEL = 6;

// Local midnight of the day, which libzip writes back as that date; zip
// dates start in 1980 and end in 2107.
time_t StampOf(int32_t day)
{
    DateRec g = GregorianFromAbsolute(day);
    std::tm t{};
    t.tm_year = (g.year < 1980 ? 1980 : g.year > 2107 ? 2107 : g.year) - 1900;
    t.tm_mon = g.month - 1;
    t.tm_mday = g.day;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

bool ZipFailed(zip_error_t* ze, std::string& error)
{
    error = std::string("the container cannot be made: ") + zip_error_strerror(ze);
    return false;
}

bool AddFiles(zip_t* za, const std::vector<BookFile>& files, time_t stamp)
{
    for (size_t i = 0; i < files.size(); ++i) {
        zip_source_t* source = zip_source_buffer(za, files[i].bytes.data(), files[i].bytes.size(), 0);
        if (!source) return false;
        zip_int64_t at = zip_file_add(za, files[i].name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (at < 0) {
            zip_source_free(source);
            return false;
        }
        // The reading system finds the mimetype by its plain bytes at the start.
        zip_int32_t method = i == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        if (zip_set_file_compression(za, at, method, DEFLATE_LEVEL) < 0 || zip_file_set_mtime(za, at, stamp, 0) < 0) return false;
    }
    return true;
}

bool ReadAll(zip_source_t* source, std::string& out)
{
    zip_stat_t st;
    if (zip_source_open(source) < 0) return false;
    bool ok = zip_source_stat(source, &st) == 0 && (st.valid & ZIP_STAT_SIZE);
    if (ok) {
        out.resize(st.size);
        ok = zip_source_read(source, out.data(), st.size) == static_cast<zip_int64_t>(st.size);
    }
    zip_source_close(source);
    return ok;
}

}  // namespace

bool ZipEpub(const std::vector<BookFile>& files, int32_t day, std::string& zipped, std::string& error)
{
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &ze);
    if (!buffer) return ZipFailed(&ze, error);
    zip_source_keep(buffer);  // the archive's close would free it; its bytes are read after
    zip_t* za = zip_open_from_source(buffer, ZIP_TRUNCATE, &ze);
    if (!za) {
        zip_source_free(buffer);
        return ZipFailed(&ze, error);
    }
    if (!AddFiles(za, files, StampOf(day)) || zip_close(za) < 0) {
        zip_error_set(&ze, zip_error_code_zip(zip_get_error(za)), zip_error_code_system(zip_get_error(za)));
        zip_discard(za);
        zip_source_free(buffer);
        return ZipFailed(&ze, error);
    }
    bool ok = ReadAll(buffer, zipped);
    zip_source_free(buffer);
    if (!ok) error = "the container cannot be read back";
    return ok;
}
