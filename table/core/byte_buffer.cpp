// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "table/core/byte_buffer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {
constexpr size_t kHugePage = size_t(2) << 20;
constexpr size_t kMapThreshold = size_t(4) << 20;
} // namespace

ByteBuffer &ByteBuffer::operator=(ByteBuffer &&other) noexcept
{
    if (this != &other) {
        release();
        data_ = other.data_;
        size_ = other.size_;
        capacity_ = other.capacity_;
        mappedBytes_ = other.mappedBytes_;
        other.data_ = nullptr;
        other.size_ = other.capacity_ = other.mappedBytes_ = 0;
    }
    return *this;
}

void ByteBuffer::resize(size_t size)
{
    if (size > capacity_)
        reallocate(std::max(size, capacity_ + capacity_ / 2));
    size_ = size;
}

void ByteBuffer::append(const char *bytes, size_t count)
{
    const size_t at = size_;
    resize(size_ + count);
    if (count)
        std::memcpy(data_ + at, bytes, count);
}

void ByteBuffer::reserveAddressSpace(size_t size)
{
#if defined(__linux__)
    if (size_ == 0 && capacity_ < size) {
        try {
            reallocate(size, true);
        } catch (const std::bad_alloc &) {
            // Ordinary growth remains.
        }
    }
#else
    (void)size;
#endif
}

void ByteBuffer::reallocate(size_t capacity, bool reserveOnly)
{
    char *fresh = nullptr;
    size_t mapped = 0;
#if defined(__linux__)
    if (capacity >= kMapThreshold) {
        // Over-allocate by one huge page so the block can start on a boundary.
        mapped = (capacity + kHugePage - 1) / kHugePage * kHugePage + kHugePage;
        const int flags = MAP_PRIVATE | MAP_ANONYMOUS | (reserveOnly ? MAP_NORESERVE : 0);
        void *raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, flags, -1, 0);
        if (raw == MAP_FAILED)
            throw std::bad_alloc();
        char *aligned = reinterpret_cast<char *>((reinterpret_cast<uintptr_t>(raw) + kHugePage - 1) & ~(kHugePage - 1));
        if (aligned != raw)
            munmap(raw, size_t(aligned - static_cast<char *>(raw)));
        mapped -= size_t(aligned - static_cast<char *>(raw));
        const size_t tail = mapped - (capacity + kHugePage - 1) / kHugePage * kHugePage;
        if (tail)
            munmap(aligned + (mapped - tail), tail);
        mapped -= tail;
        madvise(aligned, mapped, MADV_HUGEPAGE);
        fresh = aligned;
        capacity = mapped;
    }
#else
    (void)reserveOnly;
#endif
    if (!fresh) {
        fresh = static_cast<char *>(std::malloc(capacity ? capacity : 1));
        if (!fresh)
            throw std::bad_alloc();
    }
    if (size_)
        std::memcpy(fresh, data_, size_);
    const size_t size = size_;
    release();
    data_ = fresh;
    size_ = size;
    capacity_ = capacity;
    mappedBytes_ = mapped;
}

void ByteBuffer::release()
{
#if defined(__linux__)
    if (mappedBytes_)
        munmap(data_, mappedBytes_);
    else
#endif
        std::free(data_);
    data_ = nullptr;
    size_ = capacity_ = mappedBytes_ = 0;
}
