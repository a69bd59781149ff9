// Lesson store: lesson number -> freshly allocated, zero-terminated LessonText
// decompressed from the containers carried inside the program.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint16_t INDEX_LESSON = 31767;   // selects the index text
constexpr uint16_t FIRST_LESSON_RESOURCE = 1001;
constexpr uint16_t INDEX_RESOURCE = 32767;
constexpr int LESSONS_PER_RESOURCE = 5;
constexpr size_t CONTAINER_HEADER_SIZE = 6;
constexpr size_t RECORD_HEADER_SIZE = 4;
// Zero bytes after every decoded text. One would end a well-made text; five
// also end whatever a damaged record decodes to, lesson or index, before
// any record walk can leave the buffer.
constexpr size_t LESSON_TEXT_PADDING = 5;

// Reason codes left in the caller's optional slot when a load fails.
enum LoadReason : int32_t {
  LOAD_NO_RESOURCE = 1,     // no resource with the computed id
  LOAD_NO_MEMORY = 2,       // resource empty/unloadable, or no output buffer
  LOAD_NO_SLOT = 3,         // slot not in the resource
  LOAD_BAD_RECORD = 4,      // uncompressed size 0 or no data
  LOAD_BUFFER_ERROR = 5,    // decoding did not give exactly the stated size
};

struct CompressedRecord {
  const uint8_t* data;      // first compressed byte
  uint16_t compressedSize;
  uint16_t uncompressedSize;
};

// All three return a malloc'ed text the caller frees with free(), or nullptr.
// `reason` may be null; nothing is stored on success.
uint8_t* LoadLesson(int lesson, int32_t* reason);
uint8_t* FindRecord(const uint8_t* body, size_t bodyLength, int slot, int32_t* reason);
uint8_t* UnCompress(const CompressedRecord* record, int32_t* reason);
