// Five-level book changes of the market-depth stream applied to the depth book, and the
// batch that hands the book to the main window.
#include <gtest/gtest.h>

#include "DepthStreamParser.h"
#include "ReplyMessages.h"
#include "ReplyTestSupport.h"

using replytest::Text;
using tolvan::test::RecordingWindow;

namespace {

// "label=price/volume" of the ten levels, sell side first, as shown top to bottom.
std::string Levels(const DepthBook& book)
{
    std::string out;
    for (const DepthLevel& level : book.sell)
        out += Text(level.strLabel) + "=" + Text(level.strPrice) + "/" + Text(level.strVolume) + " ";
    for (const DepthLevel& level : book.buy)
        out += Text(level.strLabel) + "=" + Text(level.strPrice) + "/" + Text(level.strVolume) + " ";
    return out;
}

const char kEmptyBook[] = "卖五=/ 卖四=/ 卖三=/ 卖二=/ 卖一=/ 买一=/ 买二=/ 买三=/ 买四=/ 买五=/ ";

TEST(DepthStreamParserTest, ChangesSetAndClearTheRightLevel)
{
    struct Case
    {
        const char* changes;
        const char* levels;
    };
    const Case cases[] = {
        {"[0][1][1][2318.40][12]@", "卖五=/ 卖四=/ 卖三=/ 卖二=/ 卖一=/ 买一=2318.40/12 买二=/ 买三=/ 买四=/ 买五=/ "},
        {"[0][1][2][2318.60][7]@", "卖五=/ 卖四=/ 卖三=/ 卖二=/ 卖一=2318.60/7 买一=/ 买二=/ 买三=/ 买四=/ 买五=/ "},
        {"[4][1][0][2319.00][3]@[3][1][1][2317.00][9]@",
         "卖五=2319.00/3 卖四=/ 卖三=/ 卖二=/ 卖一=/ 买一=/ 买二=/ 买三=/ 买四=2317.00/9 买五=/ "},
        // The later change of a level wins; a delete empties it.
        {"[4][1][0][2319.00][3]@[4][2][0][][]@[0][1][1][1][1]@[0][2][1][x][y]@", kEmptyBook},
        // Levels outside 0 to 4 and unknown actions change nothing.
        {"[5][1][1][1][1]@[-1][1][2][1][1]@[0][3][1][1][1]@[0][0][1][1][1]@", kEmptyBook},
        // No "@": no change at all; a change cut short keeps what it has.
        {"[0][1][1][2318.40][12]", kEmptyBook},
        {"[1][1][1][2318.40@", "卖五=/ 卖四=/ 卖三=/ 卖二=/ 卖一=/ 买一=/ 买二=2318.40/ 买三=/ 买四=/ 买五=/ "},
    };
    for (const Case& c : cases)
    {
        DepthBook book;
        ResetDepthBook(book);
        EXPECT_EQ(0, ParseDepthUpdate(book, c.changes, NULL)) << c.changes;
        EXPECT_EQ(c.levels, Levels(book)) << c.changes;
    }
}

TEST(DepthStreamParserTest, StatusRepliesAndEmptyMessagesApplyNothing)
{
    RecordingWindow window;
    DepthBook book;
    SetDepthBookIndex(book, 3, "XAUUSD");
    EXPECT_EQ(-1, ParseDepthUpdate(book, " \r\n", window));
    EXPECT_EQ(-1, ParseDepthUpdate(book, "loginresult@status:-1#@", window));
    EXPECT_EQ(0u, window.Count(WM_NEW_VERSION_FOUND));
    EXPECT_EQ(-1, ParseDepthUpdate(book, "loginresult@status:-2#@", window));
    EXPECT_EQ(1u, window.Count(WM_NEW_VERSION_FOUND));
    EXPECT_EQ(kEmptyBook, Levels(book));
    EXPECT_EQ(CString("XAUUSD"), book.strServerName);
    EXPECT_EQ(3, book.nIndex);
    EXPECT_EQ(-1, book.nLast);
}

TEST(DepthStreamParserTest, BatchAppliesEveryMessageThenSendsTheBookOnce)
{
    RecordingWindow window;
    replytest::RegisterReplyCopiers(window);
    DepthBook book;
    SetDepthBookIndex(book, 0, "GC");
    std::vector<NetMessage> messages(2);
    messages[0].strText = "[0][1][1][2331.2][5]@[0][1][2][2331.4][6]@#@";
    messages[1].strText = "[0][1][1][2331.3][8]@#@";
    ParseDepthBatch(book, messages, window);
    ASSERT_EQ(1u, window.Count(WM_DEPTH_UPDATE));
    EXPECT_EQ("GC#0 卖五=/ 卖四=/ 卖三=/ 卖二=/ 卖一=2331.4/6 买一=2331.3/8 买二=/ 买三=/ 买四=/ 买五=/",
              window.Last(WM_DEPTH_UPDATE).payload);
    EXPECT_EQ((LPARAM)&book, window.Last(WM_DEPTH_UPDATE).lParam);
}

// Read in place: leading blanks go before the first change, a refusal anywhere wins over an
// update notice, and a double-byte character whose second byte is "]" or "@" stays whole.
TEST(DepthStreamParserTest, BlanksStatusWordsAndDoubleByteTexts)
{
    RecordingWindow window;
    DepthBook book;
    ResetDepthBook(book);
    EXPECT_EQ(0, ParseDepthUpdate(book, " \r\n[0][1][1][2318.40][12]@[1][1][1][\x81]9][\x81@]@", window));
    EXPECT_EQ(CString("2318.40"), book.buy[0].strPrice);
    EXPECT_EQ(CString("\x81]9"), book.buy[1].strPrice);
    EXPECT_EQ(CString("\x81@"), book.buy[1].strVolume);
    EXPECT_EQ(-1, ParseDepthUpdate(book, "x@status:-2#status:-1#@", window));
    EXPECT_EQ(0u, window.Count(WM_NEW_VERSION_FOUND));
    EXPECT_EQ(CString("2318.40"), book.buy[0].strPrice);
}

}  // namespace
