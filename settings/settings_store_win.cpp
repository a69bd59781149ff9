#include "settings/settings_store_win.h"

#include <cstdlib>
#include <cstring>

#include "base/allocation_win.h"
#include "settings/registry_number.h"
#include "settings/settings.h"

namespace {

enum class Room { Exact, Text };

// Reads one value into a new zeroed buffer. Text room doubles the reported
// size and adds a terminator, so a string stored without one, or a value of
// another type read as text, still ends inside the buffer.
uint8_t* ReadRaw(const wchar_t* path, const wchar_t* name, Room room, DWORD* type, uint32_t* size)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    DWORD bytes = 0;
    uint8_t* buffer = nullptr;
    if (RegQueryValueExW(key, name, nullptr, type, nullptr, &bytes) == ERROR_SUCCESS) {
        size_t capacity = room == Room::Text ? size_t(bytes) * 2 + 2 : bytes ? bytes : 1;
        buffer = static_cast<uint8_t*>(AllocateOrShutDown(capacity));
        if (buffer) {
            memset(buffer, 0, capacity);
            DWORD got = bytes;
            if (RegQueryValueExW(key, name, nullptr, type, buffer, &got) != ERROR_SUCCESS) {
                free(buffer);
                buffer = nullptr;
            } else {
                *size = got;
            }
        }
    }
    RegCloseKey(key);
    return buffer;
}

int WriteValue(const wchar_t* name, DWORD type, const void* data, uint32_t count)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SETTINGS_KEY, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 0;
    LONG result = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), count);
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

// The stored search pattern: up to its zero byte, at most 33 bytes, and never
// past the end of what the registry gave.
void LoadSearchString()
{
    uint32_t size = 0;
    uint8_t* bytes = ReadBytes(L"SearchString", nullptr, &size);
    if (!bytes)
        return;
    uint32_t n = 0;
    while (n < size && n < SEARCH_PATTERN_MAX && bytes[n])
        n++;
    memcpy(g_settings.SearchString, bytes, n);
    g_settings.SearchString[n] = 0;
    free(bytes);
}

// The search choices: only a four-byte REG_DWORD counts; anything else, or
// nothing, is both off, and stays as it was unless the reader changes them.
void LoadSearchOptions()
{
    DWORD type = 0;
    uint32_t size = 0;
    uint8_t* data = ReadRaw(SETTINGS_KEY, L"SearchOptions", Room::Exact, &type, &size);
    if (!data)
        return;
    if (type == REG_DWORD && size == sizeof g_settings.SearchOptions) {
        memcpy(&g_settings.SearchOptions, data, size);
        g_settings.searchOptionsStored = true;
    }
    free(data);
}

void LoadFontName()
{
    wchar_t* name = ReadText(L"FontName");
    if (!name)
        return;
    if (name[0]) {
        size_t n = wcsnlen(name, 31);
        memcpy(g_settings.FontName, name, n * sizeof(wchar_t));
        g_settings.FontName[n] = 0;
    }
    free(name);
}

// The track as read, so that only a choice made in this run is written.
int32_t s_storedTrack;

int32_t ReadSetting(const wchar_t* name, int32_t fallback)
{
    return ReadNumber(SETTINGS_KEY, name, fallback);
}

}  // namespace

int32_t ReadNumber(const wchar_t* keyPath, const wchar_t* name, int32_t fallback)
{
    DWORD type = 0;
    uint32_t size = 0;
    uint8_t* data = ReadRaw(keyPath, name, Room::Text, &type, &size);
    if (!data)
        return fallback;
    uint32_t number = 0;
    if (type == REG_DWORD) {
        // A damaged value may hold fewer than four bytes.
        memcpy(&number, data, size < sizeof number ? size : sizeof number);
    } else {
        // The text room holds size + 1 code units, the last ones zero.
        number = ParseRegistryNumber(reinterpret_cast<const char16_t*>(data), size + 1);
    }
    free(data);
    return int32_t(number);
}

wchar_t* ReadText(const wchar_t* name)
{
    DWORD type = 0;
    uint32_t size = 0;
    return reinterpret_cast<wchar_t*>(ReadRaw(SETTINGS_KEY, name, Room::Text, &type, &size));
}

uint8_t* ReadBytes(const wchar_t* name, uint8_t* fallback, uint32_t* size)
{
    DWORD type = 0;
    uint32_t got = 0;
    uint8_t* data = ReadRaw(SETTINGS_KEY, name, Room::Exact, &type, &got);
    if (!data)
        return fallback;
    if (size)
        *size = got;
    return data;
}

uint8_t* ReadTypedBytes(const wchar_t* name, DWORD* type, uint32_t* size)
{
    *size = 0;
    return ReadRaw(SETTINGS_KEY, name, Room::Exact, type, size);
}

int WriteTypedBytes(const wchar_t* name, DWORD type, const void* bytes, uint32_t count)
{
    return WriteValue(name, type, bytes, count);
}

int WriteNumber(const wchar_t* name, int32_t value)
{
    return WriteValue(name, REG_DWORD, &value, sizeof value);
}

int WriteText(const wchar_t* name, const wchar_t* text)
{
    return WriteValue(name, REG_SZ, text, uint32_t(wcslen(text) + 1) * sizeof(wchar_t));
}

int WriteByteString(const wchar_t* name, const uint8_t* bytes)
{
    return WriteValue(name, REG_BINARY, bytes, uint32_t(strlen(reinterpret_cast<const char*>(bytes)) + 1));
}

int WriteBytes(const wchar_t* name, const void* bytes, uint32_t count)
{
    return WriteValue(name, REG_BINARY, bytes, count);
}

void ReadSettings()
{
    LoadFontName();
    LoadSearchString();
    LoadSearchOptions();
    g_settings.FontSize = ReadSetting(L"FontSize", 0);
    g_settings.FontAsciiBase = ReadSetting(L"FontAsciiBase", DEFAULT_ASCII_BASE);
    g_settings.LastPosition = uint16_t(ReadSetting(L"LastPosition", 0));
    g_settings.Flags = uint32_t(ReadSetting(L"Flags", int32_t(DEFAULT_FLAGS)));
    g_settings.Day = ReadSetting(L"Day", 0);
    g_settings.Lesson = uint16_t(ReadSetting(L"Lesson", 0));
    g_settings.Track = s_storedTrack = ReadSetting(L"Track", TRACK_THREE) == TRACK_ONE ? TRACK_ONE : TRACK_THREE;
}

void SaveSettings(int32_t lastPosition)
{
    if (g_settings.SearchString[0])
        WriteByteString(L"SearchString", g_settings.SearchString);
    if (g_settings.SearchOptions || g_settings.searchOptionsStored)
        WriteNumber(L"SearchOptions", int32_t(g_settings.SearchOptions));
    if (g_settings.FontName[0])
        WriteText(L"FontName", reinterpret_cast<const wchar_t*>(g_settings.FontName));
    if (g_settings.FontSize)
        WriteNumber(L"FontSize", g_settings.FontSize);
    if (g_settings.FontAsciiBase)
        WriteNumber(L"FontAsciiBase", g_settings.FontAsciiBase);
    if (lastPosition >= 0)
        WriteNumber(L"LastPosition", lastPosition);
    WriteNumber(L"Flags", int32_t(g_settings.Flags));
    WriteNumber(L"Day", g_settings.Day);
    if (g_settings.Lesson)
        WriteNumber(L"Lesson", g_settings.Lesson);
    // Written only when chosen this run: a missing or odd value stays as it is.
    if (g_settings.Track != s_storedTrack)
        WriteNumber(L"Track", g_settings.Track);
}
