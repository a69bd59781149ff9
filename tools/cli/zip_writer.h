// A zip archive made in memory over zlib: each file stored or deflated in
// one go, all dated alike, then the central directory. No ZIP64: what
// would not fit the classic 16- and 32-bit fields is refused.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <string>
#include <string_view>

// MS-DOS time and date fields, as zip keeps them.
struct DosStamp {
    uint16_t time;
    uint16_t date;
};

class ZipWriter {
public:
    // Sizes, offsets and counts that would reach this take ZIP64's markers
    // in the classic fields; a test lowers it to reach the refusal cheaply.
    static constexpr uint64_t FIELD_LIMIT = 0xFFFFFFFF;
    static constexpr uint32_t ENTRY_LIMIT = 0xFFFF;

    explicit ZipWriter(DosStamp stamp, uint64_t fieldLimit = FIELD_LIMIT);
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // level 0 stores the bytes as they are, 1..9 deflates them. False, with
    // the reason in error, when the archive would outgrow its fields or
    // zlib fails; the archive is then unusable.
    bool Add(std::string_view name, std::string_view bytes, int level, std::string& error);

    // The whole archive, directory and end record appended; the writer is
    // spent afterwards.
    bool Finish(std::string& zipped, std::string& error);

private:
    bool Refuse(std::string_view why, std::string& error);
    bool Deflate(std::string_view bytes, int level);

    DosStamp stamp_;
    uint64_t fieldLimit_;
    std::string archive_;     // local headers and data so far
    std::string directory_;   // one central entry per file
    uint32_t entries_ = 0;
    std::string deflated_;    // the current file's deflated bytes
    z_stream stream_{};
    bool streamReady_ = false;
    bool spent_ = false;  // finished, or a step failed
};
