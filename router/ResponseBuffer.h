#pragma once

#include <cstddef>
#include <memory>
#include <string>

// The most an answer may hold. No page of the router's interface comes near
// it; whatever sends more is not the router, and must not be able to make the
// program grow without end.
inline constexpr std::size_t kMaxAnswerBytes = 4 * 1024 * 1024;

// The answer of one transfer. Grows as the router firmware's client did: the
// first allocation is 100001 bytes, a later one 2 x (length + chunk) + 1, but
// never more than the limit and its NUL; the text is always NUL-terminated.
class ResponseBuffer
{
public:
    explicit ResponseBuffer(std::size_t limit = kMaxAnswerBytes) : m_limit(limit) {}

    // Appends a chunk; false (chunk refused) when the answer would pass the
    // limit or storage could not be had.
    bool Append(const char* chunk, std::size_t n);
    std::size_t Capacity() const { return m_capacity; }
    std::size_t Length() const { return m_length; }
    // The received text up to its first NUL byte.
    std::string Text() const;

private:
    std::size_t m_limit;
    std::unique_ptr<char[]> m_data;
    std::size_t m_capacity = 0;
    std::size_t m_length = 0;
};
