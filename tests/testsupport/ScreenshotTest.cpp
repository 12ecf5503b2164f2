#include "testsupport/Pump.h"
#include "testsupport/RecordingWindow.h"
#include "testsupport/Screenshot.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace tolvan::test;

namespace {

// Paints the whole client area of the window in one colour.
RecordingWindow::Handler FillWith(COLORREF color)
{
    return [color](HWND hWnd, WPARAM, LPARAM) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hWnd, &paint);
        RECT client;
        GetClientRect(hWnd, &client);
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        EndPaint(hWnd, &paint);
        return static_cast<LRESULT>(0);
    };
}

}  // namespace

TEST(Screenshot, CapturesTheClientAreaWithChildWindows)
{
    const COLORREF red = RGB(200, 0, 0);
    const COLORREF green = RGB(0, 160, 0);
    RecordingWindow parent(RecordingWindow::Kind::TopLevel, RECT{200, 150, 360, 250});
    parent.SetHandler(WM_PAINT, FillWith(red));
    parent.SetResult(WM_ERASEBKGND, 1);
    RecordingWindow child(parent, RECT{100, 40, 140, 80}, 1);
    child.SetHandler(WM_PAINT, FillWith(green));
    child.SetResult(WM_ERASEBKGND, 1);
    InvalidateRect(parent, NULL, TRUE);
    RedrawWindow(parent, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN);

    // The display shows the window a moment after it was mapped: wait for it.
    Screenshot shot;
    const bool shown = PumpUntil([&] {
        shot = Screenshot::CaptureClient(parent);
        return shot.PixelAt(5, 5) == red && shot.PixelAt(120, 60) == green;
    });
    ASSERT_TRUE(shown) << std::hex << shot.PixelAt(5, 5) << " " << shot.PixelAt(120, 60);
    EXPECT_EQ(shot.Width(), 160);
    EXPECT_EQ(shot.Height(), 100);
    EXPECT_EQ(shot.PixelAt(99, 39), red);
    EXPECT_EQ(shot.PixelAt(100, 40), green);
    EXPECT_EQ(shot.PixelAt(139, 79), green);
    EXPECT_EQ(shot.PixelAt(140, 80), red);
    EXPECT_EQ(shot.PixelAt(160, 0), CLR_INVALID);
    EXPECT_EQ(shot.CountColor(green), 40u * 40u);
    RECT childArea = {90, 30, 150, 90};
    EXPECT_EQ(shot.CountColor(red, &childArea), 60u * 60u - 40u * 40u);

    char path[MAX_PATH];
    char directory[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, directory), 0u);
    ASSERT_NE(GetTempFileNameA(directory, "shot", 0, path), 0u);
    EXPECT_TRUE(shot.SavePng(path));
    char signature[8] = {};
    if (FILE* file = std::fopen(path, "rb")) {
        EXPECT_EQ(std::fread(signature, 1, sizeof(signature), file), sizeof(signature));
        std::fclose(file);
    }
    DeleteFileA(path);
    EXPECT_EQ(std::string(signature, 4), "\x89PNG");

    ShowWindow(parent, SW_HIDE);
    EXPECT_TRUE(Screenshot::CaptureClient(parent).IsEmpty());
}
