// A visible parent window for the controls under test: a CWnd (so notifications are
// reflected to the controls as in a dialog) that records what reaches it.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include <testsupport/Screenshot.h>

#include <functional>
#include <mutex>
#include <vector>

struct HostMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class ControlHost : public CWnd
{
public:
    // A popup at `bounds` on the screen, shown and in front.
    explicit ControlHost(const RECT& bounds = RECT{20, 20, 620, 420});
    ~ControlHost() override;

    std::vector<HostMessage> MessagesOf(UINT message) const;
    size_t Count(UINT message) const { return MessagesOf(message).size(); }
    // Commands and notifications that reached this window's handlers (not those taken by
    // the sending control's reflection), by control id and notification code.
    size_t CommandCount(UINT id, int code) const;
    void Clear();
    // What the screen shows of the window's client area once `ready` holds for it (or the
    // last capture at the deadline).
    tolvan::test::Screenshot CaptureWhen(
        const std::function<bool(const tolvan::test::Screenshot&)>& ready = {});
    // Runs for every WM_NOTIFY that reaches this window, before the default handling.
    std::function<void(NMHDR*)> onNotify;
    // The child's window rectangle in this window's client coordinates.
    CRect ChildRect(const CWnd& child) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

private:
    mutable std::mutex m_lock;
    std::vector<HostMessage> m_messages;
    std::vector<std::pair<UINT, int>> m_commands;
};

