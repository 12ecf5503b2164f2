#include "TradingTestHost.h"

#include <testsupport/Pump.h>

TradingHost::TradingHost(const RECT& bounds)
{
    LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                              (HBRUSH)::GetStockObject(WHITE_BRUSH));
    CreateEx(WS_EX_TOPMOST, windowClass, "TradingHost", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, bounds, NULL, 0);
    ::SetForegroundWindow(m_hWnd);
    tolvan::test::PumpPending();
}

TradingHost::~TradingHost()
{
    DestroyWindow();
    tolvan::test::PumpPending();
}

namespace {

class ContainerStandIn : public CWnd
{
public:
    explicit ContainerStandIn(TradingHost* host) : m_host(host) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_USER) {
            m_host->Record(message, wParam, lParam, true);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { delete this; }

private:
    TradingHost* m_host;
};

}  // namespace

HWND TradingHost::CreateContainer()
{
    CRect client;
    GetClientRect(&client);
    m_container = new ContainerStandIn(this);
    m_container->Create(AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)::GetStockObject(WHITE_BRUSH)),
                        "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, client, this, 1);
    return m_container->GetSafeHwnd();
}

HWND FindDescendant(HWND root, int id)
{
    struct Search { int id; HWND found; } search{id, NULL};
    ::EnumChildWindows(root, [](HWND hWnd, LPARAM l) -> BOOL {
        Search* s = reinterpret_cast<Search*>(l);
        if (::GetDlgCtrlID(hWnd) == s->id) {
            s->found = hWnd;
            return FALSE;
        }
        return TRUE;
    }, (LPARAM)&search);
    return search.found;
}

size_t TradingHost::Count(UINT message) const
{
    size_t count = 0;
    for (const HostMessage& m : m_messages)
        count += m.message == message;
    return count;
}

HostMessage TradingHost::Last(UINT message) const
{
    for (auto it = m_messages.rbegin(); it != m_messages.rend(); ++it)
        if (it->message == message)
            return *it;
    return HostMessage();
}

LRESULT TradingHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER) {
        Record(message, wParam, lParam, false);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void TradingHost::Record(UINT message, WPARAM wParam, LPARAM lParam, bool toContainer)
{
    {
        HostMessage m;
        m.toContainer = toContainer;
        m.message = message;
        m.wParam = wParam;
        m.lParam = lParam;
        switch (message) {
        case WM_ORDER_REQUEST:
            m.ticket = *reinterpret_cast<const OrderTicket*>(wParam);
            break;
        case WM_PASSWORD_REQUEST:
            m.password = *reinterpret_cast<const PasswordRequest*>(wParam);
            break;
        case WM_PLATFORM_ITEM_SELECTED:
        case WM_PLATFORM_HEADER_BUTTON:
        case WM_ORDER_PAGE_EVENT:
            m.text = *reinterpret_cast<const CString*>(wParam);
            break;
        default:
            break;
        }
        if (onMessage)
            onMessage(m);
        m_messages.push_back(m);
    }
}

POINT CentreOf(HWND control)
{
    RECT rect;
    ::GetWindowRect(control, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void ClickAt(POINT screen)
{
    ::SetCursorPos(screen.x, screen.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    tolvan::test::PumpPending();
}

void TypeText(const char* text)
{
    for (const char* c = text; *c != '\0'; ++c) {
        SHORT key = ::VkKeyScanA(*c);
        INPUT inputs[4] = {};
        int n = 0;
        bool shift = (key & 0x100) != 0;
        if (shift) {
            inputs[n].type = INPUT_KEYBOARD;
            inputs[n++].ki.wVk = VK_SHIFT;
        }
        inputs[n].type = INPUT_KEYBOARD;
        inputs[n++].ki.wVk = LOBYTE(key);
        inputs[n].type = INPUT_KEYBOARD;
        inputs[n].ki.wVk = LOBYTE(key);
        inputs[n++].ki.dwFlags = KEYEVENTF_KEYUP;
        if (shift) {
            inputs[n].type = INPUT_KEYBOARD;
            inputs[n].ki.wVk = VK_SHIFT;
            inputs[n++].ki.dwFlags = KEYEVENTF_KEYUP;
        }
        ::SendInput(n, inputs, sizeof(INPUT));
        tolvan::test::PumpPending();
    }
}

tolvan::test::Screenshot CaptureAndSave(HWND hWnd, const char* name)
{
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    tolvan::test::PumpPending();
    tolvan::test::Screenshot shot = tolvan::test::Screenshot::CaptureClient(hWnd);
    shot.SavePng(name);
    return shot;
}
