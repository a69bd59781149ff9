// The zip archive, written field by field after PKWARE's APPNOTE
// (local header, data, central directory, end record).
#include "tools/cli/zip_writer.h"

#include <algorithm>
#include <climits>

namespace {

constexpr uint32_t LOCAL_SIGNATURE = 0x04034B50;
constexpr uint32_t CENTRAL_SIGNATURE = 0x02014B50;
constexpr uint32_t END_SIGNATURE = 0x06054B50;
constexpr uint16_t METHOD_STORED = 0, METHOD_DEFLATED = 8;
constexpr uint16_t FLAG_UTF8_NAME = 1 << 11;
// Made on Unix by a 2.0 writer; 1.0 suffices to take out a stored file.
constexpr uint16_t MADE_BY = 3 << 8 | 20;
constexpr uint16_t NEEDS_STORED = 10, NEEDS_DEFLATED = 20;
constexpr uint32_t UNIX_REGULAR_FILE = 0100644u << 16;

void Put16(std::string& out, uint32_t v)
{
    out += char(v & 0xFF);
    out += char(v >> 8 & 0xFF);
}

void Put32(std::string& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The fields local and central headers share, from "version needed" to
// the extra field's length.
void PutCommon(std::string& out, uint16_t method, DosStamp stamp, uint32_t crc, uint32_t packed, uint32_t size,
               size_t nameLength)
{
    Put16(out, method == METHOD_STORED ? NEEDS_STORED : NEEDS_DEFLATED);
    Put16(out, FLAG_UTF8_NAME);
    Put16(out, method);
    Put16(out, stamp.time);
    Put16(out, stamp.date);
    Put32(out, crc);
    Put32(out, packed);
    Put32(out, size);
    Put16(out, uint32_t(nameLength));
    Put16(out, 0);
}

}  // namespace

ZipWriter::ZipWriter(DosStamp stamp, uint64_t fieldLimit) : stamp_(stamp), fieldLimit_(fieldLimit) {}

ZipWriter::~ZipWriter()
{
    if (streamReady_) deflateEnd(&stream_);
}

bool ZipWriter::Refuse(std::string_view why, std::string& error)
{
    spent_ = true;
    error = why;
    return false;
}

// Raw deflate (the zip header stands where zlib's would), into deflated_.
bool ZipWriter::Deflate(std::string_view bytes, int level)
{
    if (!streamReady_) {
        if (deflateInit2(&stream_, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
        streamReady_ = true;
    } else if (deflateReset(&stream_) != Z_OK || deflateParams(&stream_, level, Z_DEFAULT_STRATEGY) != Z_OK) {
        return false;
    }
    deflated_.resize(deflateBound(&stream_, bytes.size()));
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream_.avail_in = uInt(bytes.size());  // under the field limit, so it fits
    int status;
    do {
        size_t done = stream_.total_out;
        stream_.next_out = reinterpret_cast<Bytef*>(deflated_.data() + done);
        stream_.avail_out = uInt(std::min<size_t>(deflated_.size() - done, UINT_MAX));
        status = deflate(&stream_, Z_FINISH);
    } while (status == Z_OK);
    if (status != Z_STREAM_END) return false;
    deflated_.resize(stream_.total_out);
    return true;
}

bool ZipWriter::Add(std::string_view name, std::string_view bytes, int level, std::string& error)
{
    if (spent_) return Refuse("the archive is finished or an earlier file failed", error);
    if (entries_ + 1 >= ENTRY_LIMIT) return Refuse("more files than a zip without ZIP64 holds", error);
    if (name.size() > 0xFFFF) return Refuse("a file name is too long", error);
    uint64_t offset = archive_.size();
    if (bytes.size() >= fieldLimit_ || offset >= fieldLimit_)
        return Refuse("the archive is too large for a zip without ZIP64", error);

    uint32_t crc = uint32_t(crc32_z(0, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
    uint16_t method = level ? METHOD_DEFLATED : METHOD_STORED;
    if (method == METHOD_DEFLATED && !Deflate(bytes, level)) return Refuse("zlib cannot deflate a file", error);
    std::string_view packed = method == METHOD_DEFLATED ? std::string_view(deflated_) : bytes;
    if (packed.size() >= fieldLimit_) return Refuse("the archive is too large for a zip without ZIP64", error);

    Put32(archive_, LOCAL_SIGNATURE);
    PutCommon(archive_, method, stamp_, crc, uint32_t(packed.size()), uint32_t(bytes.size()), name.size());
    archive_ += name;
    archive_ += packed;

    Put32(directory_, CENTRAL_SIGNATURE);
    Put16(directory_, MADE_BY);
    PutCommon(directory_, method, stamp_, crc, uint32_t(packed.size()), uint32_t(bytes.size()), name.size());
    Put16(directory_, 0);  // comment length
    Put16(directory_, 0);  // disk number
    Put16(directory_, 0);  // internal attributes
    Put32(directory_, UNIX_REGULAR_FILE);
    Put32(directory_, uint32_t(offset));
    directory_ += name;
    ++entries_;
    return true;
}

bool ZipWriter::Finish(std::string& zipped, std::string& error)
{
    if (spent_) return Refuse("the archive is finished or an earlier file failed", error);
    uint64_t offset = archive_.size();
    if (offset >= fieldLimit_ || directory_.size() >= fieldLimit_)
        return Refuse("the archive is too large for a zip without ZIP64", error);
    zipped = std::move(archive_);
    zipped += directory_;
    Put32(zipped, END_SIGNATURE);
    Put16(zipped, 0);  // this disk
    Put16(zipped, 0);  // the directory's disk
    Put16(zipped, entries_);
    Put16(zipped, entries_);
    Put32(zipped, uint32_t(directory_.size()));
    Put32(zipped, uint32_t(offset));
    Put16(zipped, 0);  // comment length
    spent_ = true;
    return true;
}
