#include "controls_test_host.h"

#include "ImageCache.h"

#include <testsupport/Pump.h>
#include <testsupport/TestApp.h>

#include <gtest/gtest.h>

namespace {

tolvan::test::TestApp theApp("ControlsTest");

// GDI+ is started by the image cache, as in the program, for the whole test run.
class GdiplusEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        AfxInitRichEdit2();
        INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES };
        ::InitCommonControlsEx(&controls);
        CImageCache::Instance();
    }
    void TearDown() override { CImageCache::Release(); }
};

::testing::Environment* const gdiplusEnvironment =
    ::testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

}  // namespace

ControlHost::ControlHost(const RECT& bounds)
{
    LPCTSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                              (HBRUSH)::GetStockObject(WHITE_BRUSH));
    CreateEx(WS_EX_TOPMOST, windowClass, "ControlHost", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
             bounds, NULL, 0);
    ::SetForegroundWindow(m_hWnd);
    tolvan::test::PumpPending();
}

ControlHost::~ControlHost()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
}

LRESULT ControlHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_messages.push_back(HostMessage{ message, wParam, lParam });
    }
    if (message == WM_NOTIFY && onNotify)
        onNotify(reinterpret_cast<NMHDR*>(lParam));
    return CWnd::WindowProc(message, wParam, lParam);
}

std::vector<HostMessage> ControlHost::MessagesOf(UINT message) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<HostMessage> found;
    for (const HostMessage& record : m_messages) {
        if (record.message == message)
            found.push_back(record);
    }
    return found;
}

BOOL ControlHost::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (pHandlerInfo == nullptr) {
        std::lock_guard<std::mutex> guard(m_lock);
        m_commands.emplace_back(nID, nCode);
    }
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

size_t ControlHost::CommandCount(UINT id, int code) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    size_t count = 0;
    for (const auto& command : m_commands) {
        if (command.first == id && command.second == code)
            ++count;
    }
    return count;
}

void ControlHost::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_messages.clear();
    m_commands.clear();
}

tolvan::test::Screenshot ControlHost::CaptureWhen(
    const std::function<bool(const tolvan::test::Screenshot&)>& ready)
{
    tolvan::test::Screenshot shot;
    tolvan::test::PumpUntil([&] {
        shot = tolvan::test::Screenshot::CaptureClient(m_hWnd);
        return !shot.IsEmpty() && (!ready || ready(shot));
    }, 10000);
    return shot;
}

CRect ControlHost::ChildRect(const CWnd& child) const
{
    CRect rect;
    child.GetWindowRect(&rect);
    ScreenToClient(&rect);
    return rect;
}

