// Writes a few hand-built GIFs into a folder, as seeds for the walker's fuzzer.

#include "GifBuilder.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

void Write(const std::string& folder, const std::string& name,
           const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::vector<std::uint32_t> colours{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    Write(folder, "one-frame.gif", GifBuilder(8, 8, colours).Image(0, 0, 8, 8, 0).Bytes());
    Write(folder, "delays.gif",
          GifBuilder(16, 16, colours)
              .Loop()
              .Control(1, 0)
              .Image(0, 0, 16, 16, 0)
              .Control(2, 4)
              .Image(2, 2, 4, 4, 1)
              .Control(3, 5)
              .Image(4, 4, 4, 4, 2)
              .Control(0, 100, 3)
              .Image(0, 0, 2, 2, 3)
              .Bytes());
    Write(folder, "comment.gif",
          GifBuilder(8, 8, colours, "87a")
              .Control(1, 10)
              .Comment("between")
              .Image(0, 0, 8, 8, 1)
              .Comment("trailing")
              .Image(1, 1, 2, 2, 2)
              .Bytes());
    std::vector<std::uint8_t> truncated =
        GifBuilder(8, 8, colours).Control(0, 5).Image(0, 0, 8, 8, 0).Image(0, 0, 4, 4, 1).Bytes();
    truncated.resize(truncated.size() - 5);
    Write(folder, "truncated.gif", truncated);
    return 0;
}
