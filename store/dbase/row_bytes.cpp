#include "store/dbase/row_bytes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace dbase {

RowBytes::~RowBytes()
{
    std::free(m_data);
}

RowBytes::RowBytes(RowBytes&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_capacity(std::exchange(other.m_capacity, 0))
{
}

RowBytes& RowBytes::operator=(RowBytes&& other) noexcept
{
    if (this != &other) {
        std::free(m_data);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
    }
    return *this;
}

void RowBytes::reserve(std::size_t capacity)
{
    if (capacity <= m_capacity)
        return;
    void* grown = std::realloc(m_data, capacity);
    if (!grown)
        throw std::bad_alloc();
    m_data = static_cast<char*>(grown);
    m_capacity = capacity;
}

void RowBytes::append(const char* bytes, std::size_t size)
{
    if (size == 0)
        return;
    if (m_size + size > m_capacity)
        reserve(std::max({m_size + size, m_capacity * 2, std::size_t(4096)}));
    std::memcpy(m_data + m_size, bytes, size);
    m_size += size;
}

void RowBytes::assign(const char* bytes, std::size_t size)
{
    m_size = 0;
    append(bytes, size);
}

} // namespace dbase
