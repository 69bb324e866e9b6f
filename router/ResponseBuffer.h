#pragma once

#include <cstddef>
#include <memory>
#include <string>

// The answer of one transfer. Grows as the router firmware's client did: the
// first allocation is 100001 bytes, a later one 2 x (length + chunk) + 1; the
// text is always NUL-terminated.
class ResponseBuffer
{
public:
    // Appends a chunk; false (chunk refused) when storage could not be had.
    bool Append(const char* chunk, std::size_t n);
    std::size_t Capacity() const { return m_capacity; }
    std::size_t Length() const { return m_length; }
    // The received text up to its first NUL byte.
    std::string Text() const;

private:
    std::unique_ptr<char[]> m_data;
    std::size_t m_capacity = 0;
    std::size_t m_length = 0;
};
