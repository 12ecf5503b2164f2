#include <gtest/gtest.h>
#include "RequestToken.h"
#include "WebServiceConfig.h"
#include "WebServiceTestSupport.h"

namespace {

// Computed independently by the simulator's pure-Python AES for the default key text and
// vector: the token the services accept.
const char kDefaultToken[] = "rkT3KiatMaqJlL7bznRjmA%3D%3D";

TEST(RequestToken, PaddingAlwaysAddsOneToSixteenBytes)
{
    struct Case { size_t length; size_t padded; };
    const Case cases[] = {{0, 16}, {1, 16}, {15, 16}, {16, 32}, {17, 32}, {31, 32}};
    for (const Case& c : cases)
    {
        std::string padded = PadPkcs7(std::string(c.length, 'x'));
        ASSERT_EQ(c.padded, padded.size()) << c.length;
        char count = (char)(c.padded - c.length);
        EXPECT_EQ(std::string(c.padded - c.length, count), padded.substr(c.length)) << c.length;
    }
}

TEST(RequestToken, TokenIsFixedAndMatchesTheServiceSide)
{
    std::string token = MakeRequestToken();
    EXPECT_EQ(kDefaultToken, token);
    EXPECT_EQ(token, MakeRequestToken());
    std::string plain;
    ASSERT_TRUE(DecryptRequestText(token, plain));
    EXPECT_EQ("{\"type\": \"a\"}", plain);
    // A whole block of plain text gets a whole block of padding: two blocks of cipher.
    EXPECT_EQ("vUpLLB6z%2FjnEkSTwW5ePIP8sLt7ykzpaWfQmrDozjAA%3D", EncryptRequestText("0123456789abcdef"));
}

TEST(RequestToken, LongTextsRoundTripWithoutAFixedBuffer)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "{\"date\": \"20240614\", \"n\": 1234567890}";   // far beyond 1024 bytes
    std::string escaped = EncryptRequestText(text);
    ASSERT_FALSE(escaped.empty());
    std::string plain;
    ASSERT_TRUE(DecryptRequestText(escaped, plain));
    EXPECT_EQ(text, plain);
    EXPECT_FALSE(DecryptRequestText("bm90IGEgdG9rZW4%3D", plain));
    EXPECT_FALSE(DecryptRequestText("", plain));
}

TEST(RequestToken, KeyTextAndVectorComeFromTheConfiguration)
{
    WebServiceSettings saved = GetWebServiceSettings();
    webtest::TempFolder folder;
    CString ini = folder.File("Config.ini");

    // A malformed vector is refused and the working one stays.
    ASSERT_TRUE(webtest::WriteFileText(ini, "[WebService]\r\nTokenIv=12345\r\nBaseUrl=http://h:1/\r\n"));
    EXPECT_FALSE(LoadWebServiceSettings(ini));
    EXPECT_EQ(kDefaultToken, MakeRequestToken());
    EXPECT_EQ("http://h:1", GetWebServiceSettings().strWebServiceBase);

    ASSERT_TRUE(webtest::WriteFileText(
        ini, "[WebService]\r\nTokenIv=0F0E0D0C0B0A09080706050403020100\r\nTokenKeyText=other\r\n"));
    EXPECT_TRUE(LoadWebServiceSettings(ini));
    std::string token = MakeRequestToken();
    EXPECT_NE(kDefaultToken, token);
    std::string plain;
    ASSERT_TRUE(DecryptRequestText(token, plain));
    EXPECT_EQ("{\"type\": \"a\"}", plain);

    SetWebServiceSettings(saved);
    EXPECT_FALSE(DecryptRequestText(token, plain) && plain == "{\"type\": \"a\"}");
}

} // namespace
