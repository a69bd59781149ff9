// The settings' registry side: readers and writers of single values under
// HKEY_CURRENT_USER, of the settings record, and of the window placement.
// Loading at start-up and the shutdown are the program's (app/lifetime.h).
#pragma once
#include <windows.h>
#include <cstdint>

#define SETTINGS_KEY L"Software\\Lumivex\\Quorin-3-Chapter-Hebrew"
#define VENDOR_KEY L"software\\Lumivex"

constexpr int32_t DEFAULT_GUTTER = 10;
constexpr int32_t MAX_GUTTER = 1000;

// A REG_DWORD, or any other type read as a string of decimal digits.
int32_t ReadNumber(const wchar_t* keyPath, const wchar_t* name, int32_t fallback);
// A new zero-terminated string the caller frees, or none.
wchar_t* ReadText(const wchar_t* name);
// A new buffer of the value's bytes (count in *size when given) that the
// caller frees, or fallback.
uint8_t* ReadBytes(const wchar_t* name, uint8_t* fallback, uint32_t* size);

// Writers give 1 on success, 0 when nothing was written.
int WriteNumber(const wchar_t* name, int32_t value);
int WriteText(const wchar_t* name, const wchar_t* text);
int WriteByteString(const wchar_t* name, const uint8_t* bytes);
int WriteBytes(const wchar_t* name, const void* bytes, uint32_t count);

// The stored values of the settings record (what is derived from them is
// the loader's).
void ReadSettings();
// Writes the settings record back; LastPosition only when lastPosition is
// not negative (no view).
void SaveSettings(int32_t lastPosition);
// The stored window rectangle as left, top, width and height (right and
// bottom holding the sizes); false when none is stored.
bool StoredPlacement(RECT* placed);
void RestorePlacement(HWND window, int showCmd);
void SavePlacement(HWND window);
