#include "testsupport/PngWriter.h"

#include <zlib.h>

#include <cstdio>
#include <vector>

namespace tolvan::test {

void PngWriter::AppendBigEndian(std::string& out, uint32_t value)
{
    out += static_cast<char>((value >> 24) & 0xFF);
    out += static_cast<char>((value >> 16) & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

void PngWriter::AppendChunk(std::string& png, const char type[4], const std::string& data)
{
    AppendBigEndian(png, static_cast<uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    png += typed;
    // The CRC covers the chunk type and data, not the length.
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()));
    AppendBigEndian(png, static_cast<uint32_t>(crc));
}

std::string PngWriter::Encode(int width, int height, const uint32_t* pixels)
{
    if (width <= 0 || height <= 0 || pixels == nullptr)
        return std::string();

    std::string header;
    AppendBigEndian(header, static_cast<uint32_t>(width));
    AppendBigEndian(header, static_cast<uint32_t>(height));
    header += static_cast<char>(8);  // bits per sample
    header += static_cast<char>(2);  // colour type: RGB
    header += static_cast<char>(0);  // compression: deflate
    header += static_cast<char>(0);  // filter method
    header += static_cast<char>(0);  // no interlace

    // Each row starts with its filter type byte (0: none).
    const size_t rowBytes = 1 + static_cast<size_t>(width) * 3;
    std::vector<Bytef> raw(rowBytes * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        Bytef* row = &raw[rowBytes * static_cast<size_t>(y)];
        *row++ = 0;
        const uint32_t* source = pixels + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 0; x < width; ++x) {
            *row++ = static_cast<Bytef>((source[x] >> 16) & 0xFF);
            *row++ = static_cast<Bytef>((source[x] >> 8) & 0xFF);
            *row++ = static_cast<Bytef>(source[x] & 0xFF);
        }
    }
    uLongf compressedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<Bytef> compressed(compressedSize);
    if (compress2(compressed.data(), &compressedSize, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_SPEED) != Z_OK)
        return std::string();

    std::string png("\x89PNG\r\n\x1a\n", 8);
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT",
                std::string(reinterpret_cast<const char*>(compressed.data()), compressedSize));
    AppendChunk(png, "IEND", std::string());
    return png;
}

bool PngWriter::Save(const std::string& path, int width, int height, const uint32_t* pixels)
{
    const std::string png = Encode(width, height, pixels);
    if (png.empty())
        return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace tolvan::test
