#pragma once
// Builds GIF files byte by byte for the tests, the benchmark and the fuzz
// seeds. Pixels are written with a plain LZW stream (a clear code before the
// code table grows), which every decoder reads and which keeps the builder short.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

class GifBuilder
{
public:
    // A logical screen of width x height with a 256-colour global table;
    // colours[i] is 0xRRGGBB, unlisted entries are black.
    GifBuilder(int width, int height, const std::vector<std::uint32_t>& colours,
               const std::string& version = "89a")
    {
        Append(std::string("GIF") + version);
        AppendU16(width);
        AppendU16(height);
        m_bytes.push_back(0xF7);  // global table, 8 bits, 256 entries
        m_bytes.push_back(0);
        m_bytes.push_back(0);
        for (int i = 0; i < 256; ++i)
        {
            const std::uint32_t c = i < int(colours.size()) ? colours[i] : 0;
            m_bytes.push_back((c >> 16) & 0xFF);
            m_bytes.push_back((c >> 8) & 0xFF);
            m_bytes.push_back(c & 0xFF);
        }
    }

    // The looping application extension.
    GifBuilder& Loop()
    {
        m_bytes.insert(m_bytes.end(), {0x21, 0xFF, 0x0B});
        Append("NETSCAPE2.0");
        m_bytes.insert(m_bytes.end(), {0x03, 0x01, 0x00, 0x00, 0x00});
        return *this;
    }

    // Graphic control extension; transparent < 0 means no transparent colour.
    GifBuilder& Control(int disposal, int delay, int transparent = -1)
    {
        m_bytes.insert(m_bytes.end(), {0x21, 0xF9, 0x04});
        m_bytes.push_back(std::uint8_t((disposal & 7) << 2 | (transparent >= 0 ? 1 : 0)));
        AppendU16(delay);
        m_bytes.push_back(std::uint8_t(transparent >= 0 ? transparent : 0));
        m_bytes.push_back(0);
        return *this;
    }

    GifBuilder& Comment(const std::string& text)
    {
        m_bytes.insert(m_bytes.end(), {0x21, 0xFE});
        m_bytes.push_back(std::uint8_t(text.size()));
        Append(text);
        m_bytes.push_back(0);
        return *this;
    }

    // An image block filled with one colour index.
    GifBuilder& Image(int left, int top, int width, int height, std::uint8_t index)
    {
        return Image(left, top, width, height,
                     std::vector<std::uint8_t>(std::size_t(width) * height, index));
    }

    // An image block with the given colour indices, row by row.
    GifBuilder& Image(int left, int top, int width, int height,
                      const std::vector<std::uint8_t>& pixels)
    {
        m_bytes.push_back(0x2C);
        AppendU16(left);
        AppendU16(top);
        AppendU16(width);
        AppendU16(height);
        m_bytes.push_back(0);  // no local table, not interlaced
        m_bytes.push_back(8);  // LZW minimum code size
        AppendSubBlocks(Lzw(pixels));
        return *this;
    }

    // The file so far with its trailer.
    std::vector<std::uint8_t> Bytes() const
    {
        std::vector<std::uint8_t> file = m_bytes;
        file.push_back(0x3B);
        return file;
    }

    // The file so far, without a trailer (for cut-off files).
    const std::vector<std::uint8_t>& Unfinished() const { return m_bytes; }

private:
    void Append(const std::string& text)
    {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    }

    void AppendU16(int value)
    {
        m_bytes.push_back(std::uint8_t(value & 0xFF));
        m_bytes.push_back(std::uint8_t((value >> 8) & 0xFF));
    }

    void AppendSubBlocks(const std::vector<std::uint8_t>& data)
    {
        for (std::size_t pos = 0; pos < data.size(); pos += 255)
        {
            const std::size_t count = std::min<std::size_t>(255, data.size() - pos);
            m_bytes.push_back(std::uint8_t(count));
            m_bytes.insert(m_bytes.end(), data.begin() + pos, data.begin() + pos + count);
        }
        m_bytes.push_back(0);
    }

    // 9-bit codes only: a clear code every 254 literals keeps the decoder's
    // table from growing to 10 bits.
    static std::vector<std::uint8_t> Lzw(const std::vector<std::uint8_t>& pixels)
    {
        constexpr unsigned kClear = 256;
        constexpr unsigned kEnd = 257;
        std::vector<std::uint8_t> out;
        std::uint32_t bits = 0;
        int bitCount = 0;
        const auto put = [&](unsigned code) {
            bits |= code << bitCount;
            bitCount += 9;
            while (bitCount >= 8)
            {
                out.push_back(std::uint8_t(bits & 0xFF));
                bits >>= 8;
                bitCount -= 8;
            }
        };
        for (std::size_t i = 0; i < pixels.size(); ++i)
        {
            if (i % 254 == 0)
                put(kClear);
            put(pixels[i]);
        }
        put(kEnd);
        if (bitCount > 0)
            out.push_back(std::uint8_t(bits & 0xFF));
        return out;
    }

    std::vector<std::uint8_t> m_bytes;
};
