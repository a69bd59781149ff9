// Native builds carry the lesson containers as a table assembled from
// lessons_embed.S; tests may put their own containers in its place.
#pragma once

#include <cstddef>
#include <cstdint>

// Layout fixed by the generated assembler table: three 64-bit words a row.
struct EmbeddedResource {
  uint64_t id;
  const uint8_t* data;
  uint64_t size;
};

// Makes FindResourceBytes look in `table` (count rows); a null table goes
// back to the embedded containers.
void UseResourceTable(const EmbeddedResource* table, size_t count);
