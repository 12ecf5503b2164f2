// A small PNG encoder for test pictures: 8-bit RGB, no interlace, filter "none",
// one IDAT compressed with zlib.
#pragma once

#include <cstdint>
#include <string>

namespace tolvan::test {

class PngWriter {
public:
    // `pixels` are top-down rows of 0x00RRGGBB values (a 32-bit BGRA DIB read as uint32);
    // returns the PNG file's bytes, empty when the size is not positive.
    static std::string Encode(int width, int height, const uint32_t* pixels);
    static bool Save(const std::string& path, int width, int height, const uint32_t* pixels);

private:
    static void AppendChunk(std::string& png, const char type[4], const std::string& data);
    static void AppendBigEndian(std::string& out, uint32_t value);
};

}  // namespace tolvan::test
