// A visible host window for the chart libraries' child windows; it records the messages
// (notifications) that reach it.
#pragma once

#include <afxwin.h>

#include <testsupport/Screenshot.h>

#include <vector>

class ChartHost : public CWnd
{
public:
    explicit ChartHost(const RECT& bounds);
    ~ChartHost() override;

    size_t Count(UINT message) const;
    void Clear() { m_messages.clear(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<UINT> m_messages;
};

// The child's client area as the screen shows it once everything pending is painted.
tolvan::test::Screenshot CaptureChild(HWND hWnd);
// Saves the picture beside the test program for a person to look at.
void SaveArtefact(const tolvan::test::Screenshot& shot, const char* name);
// Sends a mouse message with the point in client coordinates.
void SendMouse(HWND hWnd, UINT message, int x, int y);

// A library window as the host hands it to the library's exports: looked up at each call, as
// the program does, since the temporary object FromHandle gives lasts only until idle time.
class HandedWindow
{
public:
    explicit HandedWindow(HWND hWnd = NULL) : m_hWnd(hWnd) {}
    operator CWnd*() const { return CWnd::FromHandle(m_hWnd); }

private:
    HWND m_hWnd;
};
