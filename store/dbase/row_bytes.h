#pragma once

#include <cstddef>

namespace dbase {

// The records of a table, end to end, in one block that grows with realloc. A large block then
// grows where it lies (the system remaps its pages) instead of being copied into one twice its
// size: a million appended rows cost neither the copies nor a moment with both blocks in memory.
class RowBytes
{
public:
    RowBytes() = default;
    ~RowBytes();
    RowBytes(const RowBytes&) = delete;
    RowBytes& operator=(const RowBytes&) = delete;
    RowBytes(RowBytes&& other) noexcept;
    RowBytes& operator=(RowBytes&& other) noexcept;

    char* data() { return m_data; }
    const char* data() const { return m_data; }
    std::size_t size() const { return m_size; }

    void reserve(std::size_t capacity);
    void append(const char* bytes, std::size_t size);
    void assign(const char* bytes, std::size_t size);
    void clear() { m_size = 0; }

private:
    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

} // namespace dbase
