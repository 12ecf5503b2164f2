#include "Md5.h"

#include <stdint.h>
#include <string.h>

namespace {

struct Md5Context
{
    uint32_t state[4];
    uint32_t bitCount[2]; // low and high half of the message length in bits
    unsigned char buffer[64];
};

// Per-round shift amounts and the sine-derived constants of RFC 1321.
const unsigned kShift[64] = {
    7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
    5, 9, 14, 20, 5, 9, 14, 20, 5, 9, 14, 20, 5, 9, 14, 20,
    4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
    6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21,
};

const uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

uint32_t RotateLeft(uint32_t value, unsigned count)
{
    return (value << count) | (value >> (32 - count));
}

void Transform(uint32_t state[4], const unsigned char block[64])
{
    uint32_t words[16];
    for (int i = 0; i < 16; ++i)
        words[i] = (uint32_t)block[i * 4] | ((uint32_t)block[i * 4 + 1] << 8)
                   | ((uint32_t)block[i * 4 + 2] << 16) | ((uint32_t)block[i * 4 + 3] << 24);

    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int step = 0; step < 64; ++step)
    {
        uint32_t mixed;
        int wordIndex;
        if (step < 16)      { mixed = (b & c) | (~b & d); wordIndex = step; }
        else if (step < 32) { mixed = (b & d) | (c & ~d); wordIndex = (5 * step + 1) % 16; }
        else if (step < 48) { mixed = b ^ c ^ d;          wordIndex = (3 * step + 5) % 16; }
        else                { mixed = c ^ (b | ~d);       wordIndex = (7 * step) % 16; }
        uint32_t next = b + RotateLeft(a + mixed + kSine[step] + words[wordIndex], kShift[step]);
        a = d;
        d = c;
        c = b;
        b = next;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    memset(words, 0, sizeof(words));
}

void Init(Md5Context& context)
{
    context.state[0] = 0x67452301;
    context.state[1] = 0xefcdab89;
    context.state[2] = 0x98badcfe;
    context.state[3] = 0x10325476;
    context.bitCount[0] = context.bitCount[1] = 0;
}

void Update(Md5Context& context, const unsigned char* input, size_t length)
{
    size_t used = (context.bitCount[0] >> 3) & 0x3F;
    uint64_t bits = ((uint64_t)context.bitCount[1] << 32 | context.bitCount[0]) + ((uint64_t)length << 3);
    context.bitCount[0] = (uint32_t)bits;
    context.bitCount[1] = (uint32_t)(bits >> 32);

    size_t free = 64 - used;
    size_t offset = 0;
    if (length >= free)
    {
        memcpy(context.buffer + used, input, free);
        Transform(context.state, context.buffer);
        for (offset = free; offset + 64 <= length; offset += 64)
            Transform(context.state, input + offset);
        used = 0;
    }
    memcpy(context.buffer + used, input + offset, length - offset);
}

void Final(Md5Context& context, unsigned char digest[16])
{
    unsigned char lengthBytes[8];
    for (int i = 0; i < 4; ++i)
    {
        lengthBytes[i] = (unsigned char)(context.bitCount[0] >> (8 * i));
        lengthBytes[i + 4] = (unsigned char)(context.bitCount[1] >> (8 * i));
    }
    size_t used = (context.bitCount[0] >> 3) & 0x3F;
    size_t padLength = used < 56 ? 56 - used : 120 - used;
    static const unsigned char kPadding[64] = {0x80};
    Update(context, kPadding, padLength);
    Update(context, lengthBytes, 8);
    for (int i = 0; i < 16; ++i)
        digest[i] = (unsigned char)(context.state[i / 4] >> (8 * (i % 4)));
    // The context held message bytes: do not leave them on the stack.
    SecureZeroMemory(&context, sizeof(context));
}

} // namespace

void CMd5A::Digest(const void* data, size_t length, unsigned char digest[16])
{
    Md5Context context;
    Init(context);
    Update(context, static_cast<const unsigned char*>(data), length);
    Final(context, digest);
}

bool CMd5A::GetHexDigest(const char* input, char* output, size_t outputSize)
{
    if (input == NULL || output == NULL || outputSize < 33)
        return false;
    memset(output, 0, outputSize);
    unsigned char digest[16];
    Digest(input, strlen(input), digest);
    static const char kHex[] = "0123456789abcdef";
    for (int i = 0; i < 16; ++i)
    {
        output[i * 2] = kHex[digest[i] >> 4];
        output[i * 2 + 1] = kHex[digest[i] & 0x0F];
    }
    return true;
}

CString Md5Hex(const CString& text)
{
    char hex[33];
    CMd5A md5;
    md5.GetHexDigest(text, hex, sizeof(hex));
    return CString(hex);
}
