#include "testsupport/Pump.h"
#include "testsupport/RecordingWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

using namespace tolvan::test;

namespace {

struct QuoteUpdate {
    char code[8];
    double price;
    int volume;
};

const UINT WM_QUOTE_UPDATE = WM_APP + 10;

}  // namespace

TEST(RecordingWindow, CopiesAStackStructSentFromAnotherThread)
{
    RecordingWindow window;
    window.CopyStruct<QuoteUpdate>(WM_QUOTE_UPDATE);
    window.SetResult(WM_QUOTE_UPDATE, 1);

    std::atomic<bool> done{false};
    std::atomic<LRESULT> result{0};
    std::thread worker([&] {
        QuoteUpdate update = {};
        std::strcpy(update.code, "600000");
        update.price = 10.25;
        update.volume = 300;
        result = SendMessageA(window, WM_QUOTE_UPDATE, 5, reinterpret_cast<LPARAM>(&update));
        // The sender's copy is gone once SendMessage returned.
        std::memset(&update, 0xCC, sizeof(update));
        done = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return done.load(); }));
    worker.join();

    EXPECT_EQ(result.load(), 1);
    ASSERT_EQ(window.Count(WM_QUOTE_UPDATE), 1u);
    const RecordedMessage record = window.Last(WM_QUOTE_UPDATE);
    EXPECT_EQ(record.wParam, 5u);
    ASSERT_TRUE(record.hasPayload);
    const QuoteUpdate copy = record.PayloadAs<QuoteUpdate>();
    EXPECT_STREQ(copy.code, "600000");
    EXPECT_EQ(copy.price, 10.25);
    EXPECT_EQ(copy.volume, 300);
}

TEST(RecordingWindow, CopiesStringsAndCopyDataAndRecordsPostsInOrder)
{
    RecordingWindow window;
    window.CopyString(WM_SETTEXT);
    window.CopyCopyData();
    window.SetHandler(WM_APP + 3, [](HWND, WPARAM w, LPARAM) { return static_cast<LRESULT>(w * 2); });

    {
        char text[] = "行情";
        SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        text[0] = 'x';
    }
    {
        char bytes[] = {'a', '\0', 'b'};
        COPYDATASTRUCT data = {7, sizeof(bytes), bytes};
        EXPECT_EQ(SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
    }
    EXPECT_EQ(window.Last(WM_SETTEXT).payload, "行情");
    EXPECT_EQ(window.Last(WM_COPYDATA).payload, std::string("a\0b", 3));
    EXPECT_EQ(SendMessageA(window, WM_APP + 3, 21, 0), 42);

    for (WPARAM i = 0; i < 5; ++i)
        PostMessageA(window, WM_APP + 4, i, static_cast<LPARAM>(-static_cast<LONG_PTR>(i)));
    ASSERT_TRUE(window.WaitFor(WM_APP + 4, 5));
    const auto posts = window.MessagesOf(WM_APP + 4);
    for (size_t i = 0; i < posts.size(); ++i) {
        EXPECT_EQ(posts[i].wParam, i);
        EXPECT_EQ(posts[i].lParam, -static_cast<LPARAM>(i));
        EXPECT_FALSE(posts[i].hasPayload);
    }
    EXPECT_FALSE(window.WaitFor(WM_APP + 4, 6, 30));

    window.Clear();
    EXPECT_EQ(window.Messages().size(), 0u);
    EXPECT_EQ(window.Last(WM_APP + 4).message, 0u);
}

TEST(RecordingWindow, RecordsItsOwnCreationAndDestruction)
{
    HWND handle;
    {
        RecordingWindow parent(RecordingWindow::Kind::TopLevel, RECT{10, 10, 110, 110});
        RecordingWindow child(parent, RECT{0, 0, 20, 20}, 1001);
        EXPECT_TRUE(IsWindowVisible(child));
        EXPECT_EQ(GetParent(child), parent.Handle());
        EXPECT_EQ(GetDlgCtrlID(child), 1001);
        EXPECT_EQ(parent.Count(WM_NCCREATE), 1u);
        EXPECT_EQ(child.Count(WM_CREATE), 1u);
        // The parent hears about its child being created.
        EXPECT_GE(parent.Count(WM_PARENTNOTIFY), 1u);
        handle = parent.Handle();
    }
    EXPECT_FALSE(IsWindow(handle));
}
