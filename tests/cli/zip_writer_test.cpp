// The zip writer: what an unzipper finds through the central directory, and
// the refusals past the fields of a zip without ZIP64.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "tools/cli/zip_writer.h"

namespace {

uint16_t Le16(const std::string& b, size_t at) { return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8; }
uint32_t Le32(const std::string& b, size_t at) { return Le16(b, at) | uint32_t(Le16(b, at + 2)) << 16; }

std::string Inflated(std::string packed, size_t size)
{
    std::string out(size, '\0');
    z_stream z{};
    inflateInit2(&z, -15);
    z.next_in = reinterpret_cast<Bytef*>(packed.data()), z.avail_in = uInt(packed.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data()), z.avail_out = uInt(size);
    int status = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    return status == Z_STREAM_END ? out : "(not a whole deflate stream)";
}

// Bytes deflate cannot shrink.
std::string Noise(size_t size)
{
    std::string out;
    for (uint32_t x = 2463534242u; out.size() < size; out += char(x)) x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    return out;
}

}  // namespace

TEST(ZipWriter, EveryFileReadsBackThroughTheDirectoryAsItsLocalHeaderSays)
{
    struct { std::string name, bytes; int level; } files[] = {
        {"mimetype", "application/epub+zip", 0}, {"\xD7\x90.xhtml", std::string(5000, 'x'), 6},
        {"empty", "", 6}, {"noise", Noise(3000), 9}};
    ZipWriter writer({0x1234, 0x5678});
    std::string zip, error;
    for (const auto& f : files) ASSERT_TRUE(writer.Add(f.name, f.bytes, f.level, error)) << error;
    ASSERT_TRUE(writer.Finish(zip, error)) << error;

    size_t end = zip.size() - 22, at = Le32(zip, end + 16), local = 0;
    ASSERT_EQ(Le32(zip, end), 0x06054B50u);
    ASSERT_EQ(Le16(zip, end + 10), std::size(files));
    EXPECT_EQ(at + Le32(zip, end + 12), end) << "the directory runs up to the end record";
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        ASSERT_EQ(Le32(zip, at), 0x02014B50u);
        ASSERT_EQ(Le32(zip, local), 0x04034B50u);
        ASSERT_EQ(Le32(zip, at + 42), local) << "files follow one another from the start";
        // From "version needed" to the extra field's length the headers agree.
        EXPECT_EQ(zip.substr(at + 6, 26), zip.substr(local + 4, 26));
        std::string flagsToDate = {0, 8, char(f.level ? 8 : 0), 0, 0x34, 0x12, 0x78, 0x56};
        EXPECT_EQ(zip.substr(local + 6, 8), flagsToDate) << "UTF-8 name, method, time, date";
        EXPECT_EQ(zip.substr(at + 46, f.name.size()), f.name);
        EXPECT_EQ(zip.substr(local + 30, f.name.size()), f.name);
        uint32_t packed = Le32(zip, local + 18), size = Le32(zip, local + 22);
        std::string data = zip.substr(local + 30 + f.name.size(), packed);
        EXPECT_EQ(f.level ? Inflated(data, size) : data, f.bytes);
        EXPECT_EQ(Le32(zip, local + 14), crc32_z(0, reinterpret_cast<const Bytef*>(f.bytes.data()), f.bytes.size()));
        local += 30 + f.name.size() + packed;
        at += 46 + f.name.size();
    }
    EXPECT_EQ(local, Le32(zip, end + 16)) << "the directory follows the last file";
}

// Each way past the classic fields is refused.
TEST(ZipWriter, RefusesWhatWouldOutgrowTheClassicFields)
{
    std::string zip, error;
    ZipWriter big({0, 0}, 100), grows({0, 0}, 100), late({0, 0}, 100), many({0, 0});
    EXPECT_FALSE(big.Add("a", std::string(100, 'a'), 0, error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    EXPECT_FALSE(grows.Add("n", Noise(96), 6, error)) << "deflated past the limit though it fit before";
    ASSERT_TRUE(late.Add("a", std::string(60, 'a'), 0, error) && late.Add("b", "b", 0, error)) << "starts at 91";
    EXPECT_FALSE(late.Finish(zip, error)) << "the directory would start at 123";
    // 0xFFFF entries would read as ZIP64's marker.
    for (int i = 0; i < 0xFFFE; ++i) ASSERT_TRUE(many.Add("f", "", 0, error)) << i;
    EXPECT_FALSE(many.Add("f", "", 0, error));
}
