#include "testsupport/RealInput.h"

#include "testsupport/Pump.h"

#include <vector>

namespace tolvan::test {

namespace {

INPUT MouseInput(DWORD flags, POINT screen = POINT{0, 0})
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        // Absolute coordinates run from 0 to 65535 over the primary screen.
        input.mi.dx = MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    return input;
}

INPUT KeyInput(WORD virtualKey, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

void Send(std::vector<INPUT>& inputs)
{
    if (!inputs.empty())
        ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // Our own windows (if any) see their share before the next step.
    PumpPending();
}

void AddModifiers(std::vector<INPUT>& inputs, bool shift, bool control, bool alt, bool up)
{
    if (shift)
        inputs.push_back(KeyInput(VK_SHIFT, up));
    if (control)
        inputs.push_back(KeyInput(VK_CONTROL, up));
    if (alt)
        inputs.push_back(KeyInput(VK_MENU, up));
}

}  // namespace

POINT CentreOf(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT ScreenPointOf(HWND window, int clientX, int clientY)
{
    POINT point = {clientX, clientY};
    ::ClientToScreen(window, &point);
    return point;
}

void MovePointerTo(POINT screen)
{
    std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen)};
    Send(inputs);
}

void ClickAt(POINT screen)
{
    std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen),
                                 MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)};
    Send(inputs);
}

void DoubleClickAt(POINT screen)
{
    // Both clicks in one batch: well within the double-click time and at the same place.
    std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen),
                                 MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP),
                                 MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)};
    Send(inputs);
}

void DragPointer(POINT from, POINT to, int steps, WORD heldKey)
{
    if (steps < 1)
        steps = 1;
    std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, from),
                                 MouseInput(MOUSEEVENTF_LEFTDOWN)};
    Send(inputs);
    if (heldKey != 0)
        inputs.push_back(KeyInput(heldKey, false));
    for (int step = 1; step <= steps; ++step) {
        const POINT at = {from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps};
        inputs.push_back(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at));
        Send(inputs);
        inputs.clear();
    }
    inputs.push_back(MouseInput(MOUSEEVENTF_LEFTUP));
    if (heldKey != 0)
        inputs.push_back(KeyInput(heldKey, true));
    Send(inputs);
}

void PressPointerAt(POINT screen)
{
    std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen),
                                 MouseInput(MOUSEEVENTF_LEFTDOWN)};
    Send(inputs);
}

void ReleasePointer()
{
    std::vector<INPUT> inputs = {MouseInput(MOUSEEVENTF_LEFTUP)};
    Send(inputs);
}

void PressKey(WORD virtualKey, bool shift, bool control, bool alt)
{
    std::vector<INPUT> inputs;
    AddModifiers(inputs, shift, control, alt, false);
    inputs.push_back(KeyInput(virtualKey, false));
    inputs.push_back(KeyInput(virtualKey, true));
    AddModifiers(inputs, shift, control, alt, true);
    Send(inputs);
}

void TypeText(const char* text)
{
    for (const char* c = text; *c != '\0'; ++c) {
        const SHORT key = ::VkKeyScanA(*c);
        if (key == -1)
            continue;
        PressKey(LOBYTE(key), (key & 0x100) != 0, (key & 0x200) != 0, (key & 0x400) != 0);
    }
}

bool BringToForeground(HWND topLevel, DWORD timeoutMs)
{
    return PumpUntil([&] {
        if (::GetForegroundWindow() == topLevel)
            return true;
        ::SetForegroundWindow(topLevel);
        return ::GetForegroundWindow() == topLevel;
    }, timeoutMs);
}

bool SettleForeground(HWND topLevel, DWORD timeoutMs)
{
    // Rounds through the window's own message loop that found it still in the foreground.
    const int kSettledRounds = 3;
    int settled = 0;
    return PumpUntil([&] {
        if (::GetForegroundWindow() != topLevel) {
            settled = 0;
            ::SetForegroundWindow(topLevel);
            return false;
        }
        // A message sent to the window returns only once its thread has taken it from its
        // loop, after whatever the window system had queued for that thread before.
        DWORD_PTR ignored = 0;
        if (!::SendMessageTimeoutA(topLevel, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored)) {
            settled = 0;
            return false;
        }
        return ::GetForegroundWindow() == topLevel && ++settled >= kSettledRounds;
    }, timeoutMs);
}

namespace {

std::string Describe(HWND window)
{
    if (window == NULL)
        return "none";
    char title[128] = "";
    char windowClass[64] = "";
    ::GetWindowTextA(window, title, sizeof(title));
    ::GetClassNameA(window, windowClass, sizeof(windowClass));
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char text[320];
    wsprintfA(text, "%p \"%s\" [%s] pid %lu", static_cast<void*>(window), title, windowClass, process);
    return text;
}

}  // namespace

std::string InputState(HWND windowOfThread)
{
    std::string state = "foreground " + Describe(::GetForegroundWindow());
    GUITHREADINFO info = {sizeof(info)};
    if (::GetGUIThreadInfo(::GetWindowThreadProcessId(windowOfThread, NULL), &info)) {
        state += "; its thread: active " + Describe(info.hwndActive);
        state += ", focus " + Describe(info.hwndFocus);
        state += ", capture " + Describe(info.hwndCapture);
    }
    return state;
}

}  // namespace tolvan::test
