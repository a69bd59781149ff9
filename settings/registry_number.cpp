#include "settings/registry_number.h"

uint32_t ParseRegistryNumber(const char16_t* text, size_t count)
{
    uint32_t number = 0;
    if (!text) return 0;
    // Unsigned on purpose: a long or odd string wraps instead of overflowing.
    for (size_t i = 0; i < count && text[i]; ++i)
        number = number * 10u + (uint32_t(text[i]) - 0x30u);
    return number;
}
