// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include <cstddef>

// A growable block of bytes for table storage. Large blocks are backed by
// huge pages where the system offers them: filling a fresh 150 MB buffer
// page by page costs more than reading the file into it.
class ByteBuffer
{
public:
    ByteBuffer() = default;
    ~ByteBuffer() { release(); }
    ByteBuffer(ByteBuffer &&other) noexcept { *this = static_cast<ByteBuffer &&>(other); }
    ByteBuffer &operator=(ByteBuffer &&other) noexcept;
    ByteBuffer(const ByteBuffer &) = delete;
    ByteBuffer &operator=(const ByteBuffer &) = delete;

    char *data() { return data_; }
    const char *data() const { return data_; }
    size_t size() const { return size_; }
    size_t capacity() const { return capacity_; }

    // New bytes are left uninitialized; capacity grows geometrically.
    void resize(size_t size);
    void append(const char *bytes, size_t count);
    void clear() { release(); }
    // On an empty buffer: capacity for `size` bytes as address space that takes
    // memory only where written, so growing up to it never copies. Does
    // nothing where the system cannot.
    void reserveAddressSpace(size_t size);

private:
    void reallocate(size_t capacity, bool reserveOnly = false);
    void release();

    char *data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
    size_t mappedBytes_ = 0; // non-zero when data_ came from mmap
};
