// The one door to the lesson resources: RCDATA by numeric id, US English.
#pragma once

#include <cstddef>
#include <cstdint>

// Finds resource `id` and hands back its bytes in place (never copied, never
// released). Returns 0, or 1 when there is no such resource, 2 when it is
// empty or cannot be loaded.
int FindResourceBytes(uint16_t id, const uint8_t** data, size_t* size);
