// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// Eight bytes at a time: loads whatever the machine's byte order, and a test
// of every byte of a word at once.

#include <bit>
#include <cstdint>
#include <cstring>

// Eight bytes as a word, the first byte in the lowest bits.
inline uint64_t littleEndianWord(const char *bytes)
{
    uint64_t word;
    std::memcpy(&word, bytes, 8);
    if constexpr (std::endian::native == std::endian::big)
        word = __builtin_bswap64(word);
    return word;
}

// Eight bytes as a word, the first byte in the highest bits: words compare
// as their bytes do.
inline uint64_t bigEndianWord(const char *bytes)
{
    return __builtin_bswap64(littleEndianWord(bytes));
}

// 0x80 in each byte of `word` equal to `byte`, 0 elsewhere; no carry runs
// from one byte into the next.
inline uint64_t bytesEqual(uint64_t word, unsigned char byte)
{
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const uint64_t x = word ^ (0x0101010101010101ull * byte);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}
