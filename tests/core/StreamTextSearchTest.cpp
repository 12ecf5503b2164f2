// Looking for a marker in a text that arrives in pieces must find exactly what CString::Find
// finds in the whole text, double-byte characters included, wherever the pieces are cut.
#include <gtest/gtest.h>

#include "StreamTextSearch.h"

#include <random>
#include <string>

TEST(StreamTextSearch, FindsWhatTheWholeTextSearchFindsForEveryCut)
{
    // "\xB0" leads a double-byte character in the code page the program runs in; a marker
    // that starts on such a character's second byte is not a match.
    ASSERT_TRUE(AfxIsDBCSLeadByte(0xB0));
    static const char* const kMarkers[] = {"&#@", "loginresult@status:-1", "@"};
    static const char* const kPieces[] = {"&", "#", "@", "&#", "#@", "&#@", "\xB0", "\xB0&", "\xB0\xA1", "a",
                                          "loginresult@", "status:-1", "loginresult@status:-1"};
    std::mt19937 random(5);
    for (int round = 0; round < 4000; ++round)
    {
        std::string text;
        const int count = 1 + (int)(random() % 12);
        for (int i = 0; i < count; ++i)
            text += kPieces[random() % (sizeof(kPieces) / sizeof(kPieces[0]))];
        const char* const marker = kMarkers[random() % 3];
        CStreamTextSearch search(marker);
        for (size_t at = 0; at < text.size();)
        {
            const size_t size = std::min(text.size() - at, (size_t)(1 + random() % 6));
            at += size;
            const bool wholeTextHasIt = CString(text.substr(0, at).c_str()).Find(marker) >= 0;
            ASSERT_EQ(wholeTextHasIt, search.Add(text.data() + at - size, size))
                << "marker " << marker << ", text " << text << ", " << at << " bytes";
        }
    }

    // Reset starts on a new text.
    CStreamTextSearch search("&#@");
    ASSERT_TRUE(search.Add("x&#@", 4));
    search.Reset();
    EXPECT_FALSE(search.Add("\xB0", 1));
    EXPECT_FALSE(search.Add("&#@", 3));  // the "&" completes the character begun before
    EXPECT_TRUE(search.Add("&#@", 3));
}
