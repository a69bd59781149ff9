// Native stand-in for the Win32 resource calls, over the embedded table.
#include "content/embedded_resources.h"
#include "content/resource_lookup.h"

extern "C" const EmbeddedResource quorin_embedded_resources[];
extern "C" const uint64_t quorin_embedded_count;

namespace {
const EmbeddedResource* g_table;
size_t g_count;
}  // namespace

void UseResourceTable(const EmbeddedResource* table, size_t count) {
  g_table = table;
  g_count = table ? count : 0;
}

int FindResourceBytes(uint16_t id, const uint8_t** data, size_t* size) {
  const EmbeddedResource* table = g_table ? g_table : quorin_embedded_resources;
  size_t count = g_table ? g_count : quorin_embedded_count;
  for (size_t i = 0; i < count; ++i) {
    if (table[i].id != id) continue;
    if (table[i].size == 0 || !table[i].data) return 2;
    *data = table[i].data;
    *size = table[i].size;
    return 0;
  }
  return 1;
}
