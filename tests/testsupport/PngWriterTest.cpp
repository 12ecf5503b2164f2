#include "testsupport/PngWriter.h"

#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace tolvan::test;

namespace {

uint32_t BigEndianAt(const std::string& bytes, size_t at)
{
    return (static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) << 24) |
           (static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16) |
           (static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8) |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3]));
}

struct Chunk {
    std::string type;
    std::string data;
    bool crcMatches = false;
};

// Splits a PNG after its signature into chunks, checking each CRC.
std::vector<Chunk> ChunksOf(const std::string& png)
{
    std::vector<Chunk> chunks;
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const uint32_t length = BigEndianAt(png, at);
        if (at + 12 + length > png.size())
            break;
        Chunk chunk;
        chunk.type = png.substr(at + 4, 4);
        chunk.data = png.substr(at + 8, length);
        const uLong crc = crc32(crc32(0L, Z_NULL, 0),
                                reinterpret_cast<const Bytef*>(png.data() + at + 4), length + 4);
        chunk.crcMatches = crc == BigEndianAt(png, at + 8 + length);
        chunks.push_back(chunk);
        at += 12 + length;
    }
    return chunks;
}

}  // namespace

TEST(PngWriter, WritesSignatureHeaderAndRowsThatInflateBack)
{
    // Three by two: red, green, blue / white, black, grey.
    const uint32_t pixels[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};
    const std::string png = PngWriter::Encode(3, 2, pixels);

    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    const std::vector<Chunk> chunks = ChunksOf(png);
    ASSERT_EQ(chunks.size(), 3u);
    for (const Chunk& chunk : chunks)
        EXPECT_TRUE(chunk.crcMatches) << chunk.type;

    ASSERT_EQ(chunks[0].type, "IHDR");
    ASSERT_EQ(chunks[0].data.size(), 13u);
    EXPECT_EQ(BigEndianAt(chunks[0].data, 0), 3u);
    EXPECT_EQ(BigEndianAt(chunks[0].data, 4), 2u);
    EXPECT_EQ(chunks[0].data.substr(8), std::string("\x08\x02\x00\x00\x00", 5));

    ASSERT_EQ(chunks[1].type, "IDAT");
    std::vector<Bytef> rows(100);
    uLongf rowsSize = static_cast<uLongf>(rows.size());
    ASSERT_EQ(uncompress(rows.data(), &rowsSize,
                         reinterpret_cast<const Bytef*>(chunks[1].data.data()),
                         static_cast<uLong>(chunks[1].data.size())),
              Z_OK);
    const std::vector<Bytef> expected = {
        0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF,
        0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0x80, 0x80,
    };
    EXPECT_EQ(std::vector<Bytef>(rows.begin(), rows.begin() + rowsSize), expected);

    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_TRUE(chunks[2].data.empty());
}

TEST(PngWriter, RefusesEmptyPicturesAndSavesWhatItEncodes)
{
    const uint32_t pixel = 0x123456;
    EXPECT_TRUE(PngWriter::Encode(0, 1, &pixel).empty());
    EXPECT_TRUE(PngWriter::Encode(1, -1, &pixel).empty());
    EXPECT_FALSE(PngWriter::Save("unused.png", 0, 0, &pixel));

    char directory[MAX_PATH];
    char path[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, directory), 0u);
    ASSERT_NE(GetTempFileNameA(directory, "png", 0, path), 0u);
    ASSERT_TRUE(PngWriter::Save(path, 1, 1, &pixel));
    std::string saved;
    if (FILE* file = std::fopen(path, "rb")) {
        char buffer[256];
        size_t count;
        while ((count = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
            saved.append(buffer, count);
        std::fclose(file);
    }
    DeleteFileA(path);
    EXPECT_EQ(saved, PngWriter::Encode(1, 1, &pixel));
}
