// An EPUB 3 of consecutive days' lessons: every file of the book, in the
// order the container holds them, then the container itself.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int EPUB_MAX_DAYS = 3000;

struct BookFile {
    std::string name;   // path inside the container
    std::string bytes;
};

// The files for days first .. first + days - 1 (days 1..EPUB_MAX_DAYS, all
// within the calendar's range): mimetype first, then the package, the
// navigation, the cover, one chapter a day and the page of terms. False,
// with the reason in error, when a lesson or the index does not load.
// track 1 makes each day's chapter its portion of the one-chapter cycle.
bool BuildEpubFiles(int32_t first, int days, int track, std::vector<BookFile>& files, std::string& error);

// The container's bytes: mimetype first and stored, the rest deflated, each
// file dated at the start of day (so the same days give the same bytes).
bool ZipEpub(const std::vector<BookFile>& files, int32_t day, std::string& zipped, std::string& error);

// The book of those days written to path, whole or not at all.
bool WriteEpub(const std::string& path, int32_t first, int days, int track, std::string& error);
