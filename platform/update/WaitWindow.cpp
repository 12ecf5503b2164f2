#include "WaitWindow.h"

#include <algorithm>

namespace {

const char kWindowClass[] = "TolvanUpdateWait";
const char kTitle[] = "Tolvan证券 更新";
const char kWaitText[] = "新版本已下载。\r\n请关闭 Tolvan证券，关闭后将安装更新并重新启动程序。";
const int kWidth = 380;
const int kHeight = 130;

LRESULT CALLBACK WaitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The update goes on when the programs end, not when this window is closed.
    if (message == WM_CLOSE)
        return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND ShowWaitWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WaitWindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    HWND window = CreateWindowExA(WS_EX_TOPMOST, kWindowClass, kTitle, WS_POPUP | WS_CAPTION | WS_VISIBLE, x, y,
                                  kWidth, kHeight, NULL, NULL, windowClass.hInstance, NULL);
    if (window == NULL)
        return NULL;
    RECT client;
    GetClientRect(window, &client);
    HWND text = CreateWindowExA(0, "STATIC", kWaitText, WS_CHILD | WS_VISIBLE | SS_LEFT, 16, 16,
                                client.right - 32, client.bottom - 32, window, NULL, windowClass.hInstance, NULL);
    SendMessageA(text, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
    return window;
}

void CloseAll(std::vector<HANDLE>& handles)
{
    for (HANDLE handle : handles)
        CloseHandle(handle);
    handles.clear();
}

// Until one of the processes ends, answering the window's messages meanwhile.
void WaitForAnyEnd(const std::vector<HANDLE>& processes)
{
    const DWORD count = (DWORD)std::min(processes.size(), (size_t)(MAXIMUM_WAIT_OBJECTS - 1));
    for (;;)
    {
        const DWORD woken = MsgWaitForMultipleObjects(count, processes.data(), FALSE, INFINITE, QS_ALLINPUT);
        if (woken < WAIT_OBJECT_0 + count || woken == WAIT_FAILED)
            return;
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

void WaitWhileProgramsRun(HANDLE startingTerminal, const std::function<std::vector<HANDLE>()>& openRunning)
{
    HWND window = NULL;
    std::vector<HANDLE> running = openRunning();
    if (startingTerminal != NULL)
        running.insert(running.begin(), startingTerminal);
    while (!running.empty())
    {
        if (window == NULL)
            window = ShowWaitWindow();
        WaitForAnyEnd(running);
        CloseAll(running);
        running = openRunning();
    }
    if (window != NULL)
        DestroyWindow(window);
}
