// The stored window of the order-detail dialog.
#include "OrderDetailWindow.h"

#include <gtest/gtest.h>

namespace {

TEST(OrderDetailWindowTest, StoredWindowOnlyWhileItExists)
{
    EXPECT_EQ(NULL, GetOrderDetailWindow());

    HWND window = CreateWindowA("STATIC", "detail", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_NE((HWND)NULL, window);
    SetOrderDetailWindow(window);
    EXPECT_EQ(window, GetOrderDetailWindow());

    // A receiver thread sees the same window.
    HWND seenByThread = NULL;
    HANDLE thread = CreateThread(NULL, 0, [](LPVOID seen) -> DWORD {
        *static_cast<HWND*>(seen) = GetOrderDetailWindow();
        return 0;
    }, &seenByThread, 0, NULL);
    ASSERT_NE((HANDLE)NULL, thread);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(window, seenByThread);

    DestroyWindow(window);
    EXPECT_EQ(NULL, GetOrderDetailWindow()); // a stale handle is not handed out

    HWND second = CreateWindowA("STATIC", "detail", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    SetPreOrderWindow(second);
    EXPECT_EQ(second, GetOrderDetailWindow());
    SetOrderDetailWindow(NULL);
    EXPECT_EQ(NULL, GetOrderDetailWindow());
    DestroyWindow(second);
}

} // namespace
