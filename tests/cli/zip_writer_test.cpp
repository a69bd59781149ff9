// The zip writer: what an unzipper finds by the central directory, and the
// limits of a zip without ZIP64.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "tools/cli/zip_writer.h"

namespace {

uint16_t Le16(const std::string& b, size_t at) { return uint8_t(b[at]) | uint8_t(b[at + 1]) << 8; }
uint32_t Le32(const std::string& b, size_t at) { return Le16(b, at) | uint32_t(Le16(b, at + 2)) << 16; }

std::string Inflated(const std::string& packed, size_t size)
{
    std::string out(size, '\0');
    z_stream z{};
    inflateInit2(&z, -15);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = uInt(packed.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(size);
    int status = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    return status == Z_STREAM_END ? out : "(not a whole deflate stream)";
}

// Bytes deflate cannot shrink.
std::string Noise(size_t size)
{
    std::string out;
    uint32_t x = 2463534242u;
    while (out.size() < size) {
        x ^= x << 13, x ^= x >> 17, x ^= x << 5;
        out += char(x);
    }
    return out;
}

struct Member {
    std::string name, bytes;
    int level;
};

}  // namespace

TEST(ZipWriter, EveryFileReadsBackThroughTheDirectoryAsItsLocalHeaderSays)
{
    std::vector<Member> members = {{"mimetype", "application/epub+zip", 0},
                                   {"OEBPS/\xD7\x90.xhtml", std::string(5000, 'x') + "end", 6},
                                   {"empty", "", 6},
                                   {"noise", Noise(3000), 9}};
    ZipWriter writer({0x1234, 0x5678});
    std::string zip, error;
    for (const Member& m : members) ASSERT_TRUE(writer.Add(m.name, m.bytes, m.level, error)) << error;
    ASSERT_TRUE(writer.Finish(zip, error)) << error;

    size_t end = zip.size() - 22;
    ASSERT_EQ(Le32(zip, end), 0x06054B50u);
    ASSERT_EQ(Le16(zip, end + 8), members.size());
    ASSERT_EQ(Le16(zip, end + 10), members.size());
    size_t at = Le32(zip, end + 16);
    EXPECT_EQ(at + Le32(zip, end + 12), end) << "the directory runs up to the end record";
    size_t next_local = 0;
    for (const Member& m : members) {
        SCOPED_TRACE(m.name);
        ASSERT_EQ(Le32(zip, at), 0x02014B50u);
        size_t local = Le32(zip, at + 42);
        EXPECT_EQ(local, next_local) << "files follow one another from the start";
        ASSERT_EQ(Le32(zip, local), 0x04034B50u);
        // From "version needed" to the extra field's length the headers agree.
        EXPECT_EQ(zip.substr(at + 6, 26), zip.substr(local + 4, 26));
        EXPECT_EQ(Le16(zip, local + 6), 1 << 11) << "UTF-8 names, no data descriptor";
        EXPECT_EQ(Le16(zip, local + 10), 0x1234);
        EXPECT_EQ(Le16(zip, local + 12), 0x5678);
        EXPECT_EQ(Le16(zip, local + 28), 0) << "no extra field";
        EXPECT_EQ(zip.substr(at + 46, m.name.size()), m.name);
        EXPECT_EQ(zip.substr(local + 30, m.name.size()), m.name);
        uint32_t packed = Le32(zip, local + 18), size = Le32(zip, local + 22);
        std::string data = zip.substr(local + 30 + m.name.size(), packed);
        EXPECT_EQ(Le16(zip, local + 8), m.level ? 8 : 0);
        EXPECT_EQ(m.level ? Inflated(data, size) : data, m.bytes);
        EXPECT_EQ(Le32(zip, local + 14), crc32_z(0, reinterpret_cast<const Bytef*>(m.bytes.data()), m.bytes.size()));
        next_local = local + 30 + m.name.size() + packed;
        at += 46 + m.name.size();
    }
    EXPECT_EQ(next_local, Le32(zip, end + 16)) << "the directory follows the last file";

    ZipWriter again({0x1234, 0x5678});
    std::string same;
    for (const Member& m : members) again.Add(m.name, m.bytes, m.level, error);
    ASSERT_TRUE(again.Finish(same, error));
    EXPECT_EQ(same, zip);
    EXPECT_FALSE(again.Add("late", "x", 0, error)) << "a finished archive takes no more";
}

// Past the classic fields a reader would take the values for ZIP64 markers
// or cut them short: each way of getting there is refused, and the writer
// stays refused.
TEST(ZipWriter, RefusesWhatWouldOutgrowTheClassicFields)
{
    std::string zip, error;
    ZipWriter big({0, 0}, 100);
    EXPECT_FALSE(big.Add("a", std::string(100, 'a'), 0, error));
    EXPECT_NE(error.find("too large"), std::string::npos) << error;
    EXPECT_FALSE(big.Finish(zip, error));

    ZipWriter grows({0, 0}, 100);
    EXPECT_FALSE(grows.Add("n", Noise(96), 6, error)) << "deflated past the limit though it fit before";

    ZipWriter late({0, 0}, 100);
    ASSERT_TRUE(late.Add("a", std::string(60, 'a'), 0, error));
    ASSERT_TRUE(late.Add("b", std::string(10, 'b'), 0, error)) << "starts at 91";
    EXPECT_FALSE(late.Finish(zip, error)) << "the directory would start at 132";

    ZipWriter many({0, 0});
    for (int i = 0; i < 0xFFFE; ++i) ASSERT_TRUE(many.Add("f", "", 0, error)) << i;
    EXPECT_FALSE(many.Add("f", "", 0, error));
    EXPECT_NE(error.find("more files"), std::string::npos) << error;

    ZipWriter named({0, 0});
    EXPECT_FALSE(named.Add(std::string(0x10000, 'n'), "", 0, error));
}
