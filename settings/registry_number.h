// The digit-string rule for a number stored as text in the registry, apart
// from the registry calls so it can be checked anywhere. Portable.
#pragma once
#include <cstddef>
#include <cstdint>

// Starts from 0 and, for each code unit before the terminator (and within
// count units), multiplies by 10 and adds the unit minus '0'. No sign and no
// check of the digits, so "12" gives 12 and "1a" gives 59; the arithmetic
// wraps at 32 bits. Never reads past count units, terminated or not.
uint32_t ParseRegistryNumber(const char16_t* text, size_t count);
