// A visible host for the trading windows: a top-level window (the trade dialog's place) with
// an optional child standing in for the container, so that windows which send to a fixed
// ancestor reach the host. It records every message and copies the records that live only
// during the call.
#pragma once
#include <afxwin.h>

#include <TradingRecords.h>
#include <testsupport/Screenshot.h>

#include <functional>
#include <vector>

struct HostMessage
{
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    CString text;  // CString* payloads and the first text of a request record
    OrderTicket ticket;
    PasswordRequest password;
    bool toContainer = false;  // reached the container's stand-in, not the host
};

class TradingHost : public CWnd
{
public:
    explicit TradingHost(const RECT& bounds);
    ~TradingHost() override;

    // A child window over the whole client area, for libraries that expect a container.
    HWND CreateContainer();

    size_t Count(UINT message) const;
    // The last message of that number; a default record when there was none.
    HostMessage Last(UINT message) const;
    const std::vector<HostMessage>& Messages() const { return m_messages; }
    void Clear() { m_messages.clear(); }
    void Record(UINT message, WPARAM wParam, LPARAM lParam, bool toContainer);
    // Called for each recorded message while its payload is alive, to copy more of it.
    std::function<void(HostMessage&)> onMessage;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<HostMessage> m_messages;
    CWnd* m_container = nullptr;
};

// The first window below `root` (at any depth) with this control id; NULL when none.
HWND FindDescendant(HWND root, int id);
// Screen points of a child control, for real mouse input.
POINT CentreOf(HWND control);
// Real input through the system (the window must be on top): a click at a screen point,
// and typed text.
void ClickAt(POINT screen);
void TypeText(const char* text);
// The window's client area once everything pending is painted, also saved as `name`.
tolvan::test::Screenshot CaptureAndSave(HWND hWnd, const char* name);
