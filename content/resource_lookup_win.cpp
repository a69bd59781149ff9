// The lesson containers are RCDATA resources of the program itself, US English.
#include <windows.h>

#include "content/resource_lookup.h"

int FindResourceBytes(uint16_t id, const uint8_t** data, size_t* size) {
  HRSRC found = FindResourceExW(nullptr, RT_RCDATA, MAKEINTRESOURCEW(id),
                                MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  if (!found) return 1;
  DWORD bytes = SizeofResource(nullptr, found);
  HGLOBAL loaded = bytes ? LoadResource(nullptr, found) : nullptr;
  const void* locked = loaded ? LockResource(loaded) : nullptr;
  if (!locked) return 2;
  // Resource memory stays mapped for the life of the process: read in place.
  *data = static_cast<const uint8_t*>(locked);
  *size = bytes;
  return 0;
}
