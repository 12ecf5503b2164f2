// Input as a user gives it: the pointer and the keyboard through SendInput, so that it reaches
// whatever program owns the window under the pointer or the focus (Tolvan.exe included) through
// that program's own message loop, its message filter and its idle processing. Nothing here
// calls a window procedure or a pre-translation directly.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <string>

namespace tolvan::test {

// The centre of a window, in screen coordinates.
POINT CentreOf(HWND window);
// A point of a window's client area (client coordinates) in screen coordinates.
POINT ScreenPointOf(HWND window, int clientX, int clientY);

// Moves the pointer to a screen point (a move event, so hover and hit tests follow).
void MovePointerTo(POINT screen);
// A left click, or a double click, at a screen point.
void ClickAt(POINT screen);
void DoubleClickAt(POINT screen);
// Presses the left button at `from`, moves in `steps` steps to `to` and releases there. With
// `heldKey` (VK_SHIFT, VK_CONTROL) that key is held down from the first move to the release.
void DragPointer(POINT from, POINT to, int steps = 8, WORD heldKey = 0);

// The left button pressed at a screen point, and released where the pointer is: for a drag
// that waits for the program to show each stage before the next.
void PressPointerAt(POINT screen);
void ReleasePointer();

// Presses and releases one key (with Shift, Control or Alt held when asked).
void PressKey(WORD virtualKey, bool shift = false, bool control = false, bool alt = false);
// Types printable ASCII text key by key, as the keyboard layout gives each character.
void TypeText(const char* text);

// Brings a top-level window to the foreground so that keys reach it; true once it is.
bool BringToForeground(HWND topLevel, DWORD timeoutMs = 10000);

// As BringToForeground, and true only once the window has stayed in the foreground while its
// thread went through its message loop several times: activation and focus changes that the
// window system reports late (without a window manager, X focus events can arrive well after
// the activation they follow on a slow machine) have been handled by then, so that keys
// pressed next reach this window.
bool SettleForeground(HWND topLevel, DWORD timeoutMs = 30000);

// Where input goes now, for failure messages: the foreground window and the active, focus and
// capture windows of the thread that owns `windowOfThread` (title, class and process of each).
std::string InputState(HWND windowOfThread);

}  // namespace tolvan::test
