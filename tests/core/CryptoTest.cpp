// The block cipher and digest under the encrypted files and the login texts, against the
// published test vectors.
#include "Aes.h"
#include "Md5.h"

#include <gtest/gtest.h>

#include <string>
#include <string.h>

namespace {

std::string Hex(const unsigned char* bytes, size_t count)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < count; ++i)
    {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

struct AesVector
{
    int keyLength;
    const char* cipherText;
};

// FIPS-197 Appendix C: key 00 01 .. , plain text 00 11 22 .. ff.
const AesVector kAesVectors[] = {
    {16, "69c4e0d86a7b0430d8cdb78070b4c55a"},
    {24, "dda97ca4864cdfe06eaf70a0ec0d7191"},
    {32, "8ea2b7ca516745bfeafc49904b496089"},
};

TEST(AesTest, MatchesFips197ExampleVectorsBothWays)
{
    unsigned char key[32], plain[16];
    for (int i = 0; i < 32; ++i)
        key[i] = (unsigned char)i;
    for (int i = 0; i < 16; ++i)
        plain[i] = (unsigned char)(i * 0x11);

    for (const AesVector& vector : kAesVectors)
    {
        Aes aes(vector.keyLength, key);
        ASSERT_TRUE(aes.IsValid());
        unsigned char cipher[16], back[16];
        aes.EncryptBlock(plain, cipher);
        EXPECT_EQ(vector.cipherText, Hex(cipher, 16)) << "key length " << vector.keyLength;
        aes.DecryptBlock(cipher, back);
        EXPECT_EQ(0, memcmp(plain, back, 16)) << "key length " << vector.keyLength;
    }
}

TEST(AesTest, UnsupportedKeyLengthIsUnusable)
{
    unsigned char key[20] = {1, 2, 3};
    Aes aes(20, key);
    EXPECT_FALSE(aes.IsValid());
    unsigned char in[16] = {9}, out[16];
    memset(out, 0xAA, sizeof(out));
    aes.EncryptBlock(in, out);
    EXPECT_EQ(std::string(32, '0'), Hex(out, 16));
}

TEST(Md5Test, MatchesRfc1321TestSuite)
{
    const struct
    {
        const char* input;
        const char* digest;
    } kVectors[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    CMd5A md5;
    for (const auto& vector : kVectors)
    {
        char hex[33];
        ASSERT_TRUE(md5.GetHexDigest(vector.input, hex, sizeof(hex)));
        EXPECT_STREQ(vector.digest, hex) << "input \"" << vector.input << "\"";
        EXPECT_EQ(CString(vector.digest), Md5Hex(vector.input));
    }
}

TEST(Md5Test, PaddingBoundariesAndLongInput)
{
    // 55, 56, 63, 64 and 65 bytes straddle the length field and block boundaries; a million
    // "a" is the long vector of the digest's test suites.
    const struct
    {
        size_t length;
        const char* digest;
    } kVectors[] = {
        {55, "ef1772b6dff9a122358552954ad0df65"},
        {56, "3b0c8ac703f828b04c6c197006d17218"},
        {63, "b06521f39153d618550606be297466d5"},
        {64, "014842d480b571495a4a0363793f7367"},
        {65, "c743a45e0d2e6a95cb859adae0248435"},
        {1000000, "7707d6ae4e027c70eea2a935c2296f21"},
    };
    for (const auto& vector : kVectors)
    {
        std::string input(vector.length, 'a');
        unsigned char digest[16];
        CMd5A::Digest(input.data(), input.size(), digest);
        EXPECT_EQ(vector.digest, Hex(digest, 16)) << vector.length << " bytes";
    }
}

TEST(Md5Test, OutputBufferMustHoldDigitsAndTerminator)
{
    CMd5A md5;
    char small[40];
    memset(small, 'x', sizeof(small));
    EXPECT_FALSE(md5.GetHexDigest("abc", small, 32));
    EXPECT_EQ('x', small[0]);
    EXPECT_EQ('x', small[31]);

    char exact[33];
    memset(exact, 'x', sizeof(exact));
    ASSERT_TRUE(md5.GetHexDigest("abc", exact, sizeof(exact)));
    EXPECT_EQ('\0', exact[32]);
    EXPECT_STREQ("900150983cd24fb0d6963f7d28e17f72", exact);

    char large[64];
    memset(large, 'x', sizeof(large));
    ASSERT_TRUE(md5.GetHexDigest("abc", large, sizeof(large)));
    EXPECT_EQ('\0', large[63]); // the whole buffer is zeroed, not only the terminator
}

TEST(Md5Test, DigestsTheGbkBytesOfAText)
{
    // "沪深" is the GBK bytes BB A6 C9 EE in the program.
    EXPECT_EQ(CString("fcdcc9bd58a1233ef6cde49284d1556b"), Md5Hex("沪深"));
}

} // namespace
