#include "ResponseBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

bool ResponseBuffer::Append(const char* chunk, std::size_t n)
{
    if (n > m_limit - m_length)
        return false;
    if (m_length + n + 1 > m_capacity)
    {
        const std::size_t doubled = 2 * (m_length + n);
        const std::size_t size = std::min(doubled > 100000 ? doubled + 1 : 100001, m_limit + 1);
        std::unique_ptr<char[]> grown(new (std::nothrow) char[size]);
        if (!grown)
            return false;
        if (m_length > 0)
            std::memcpy(grown.get(), m_data.get(), m_length);
        m_data = std::move(grown);
        m_capacity = size;
    }
    std::memcpy(m_data.get() + m_length, chunk, n);
    m_length += n;
    m_data[m_length] = '\0';
    return true;
}

std::string ResponseBuffer::Text() const
{
    return m_data ? std::string(m_data.get()) : std::string();
}
