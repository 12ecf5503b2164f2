#include "testsupport/RecordingWindow.h"

#include "testsupport/Pump.h"

#include <stdexcept>

namespace tolvan::test {

namespace {

// The window being created on this thread: messages arrive (WM_GETMINMAXINFO first for
// top-level windows) before CreateWindowEx returns and before WM_NCCREATE carries our
// pointer, and they are recorded too.
thread_local RecordingWindow* t_creating = nullptr;

const char kPointerProperty[] = "TolvanRecordingWindow";

}  // namespace

const char* RecordingWindow::ClassName()
{
    return "TolvanTestRecordingWindow";
}

RecordingWindow::RecordingWindow(Kind kind, RECT bounds, const char* title)
{
    if (kind == Kind::MessageOnly)
        Create(0, RECT{0, 0, 0, 0}, HWND_MESSAGE, NULL, title);
    else
        Create(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, bounds, NULL, NULL, title);
}

RecordingWindow::RecordingWindow(HWND parent, RECT bounds, UINT id)
{
    Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, bounds, parent,
           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), "RecordingWindow");
}

void RecordingWindow::Create(DWORD style, RECT bounds, HWND parent, HMENU menuOrId,
                             const char* title)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExA(instance, ClassName(), &existing)) {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &RecordingWindow::WindowProcedure;
        wc.hInstance = instance;
        wc.hCursor = LoadCursor(NULL, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = ClassName();
        // Another thread may register it meanwhile; creation below tells.
        RegisterClassExA(&wc);
    }

    t_creating = this;
    m_hWnd = CreateWindowExA(0, ClassName(), title, style, bounds.left, bounds.top,
                             bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                             menuOrId, instance, this);
    t_creating = nullptr;
    if (m_hWnd == NULL)
        throw std::runtime_error("RecordingWindow: CreateWindowEx failed");
}

RecordingWindow::~RecordingWindow()
{
    if (m_hWnd == NULL || !IsWindow(m_hWnd))
        return;
    // A shown top-level window is hidden and its pending messages handled first: under Wine a
    // window mapped and destroyed without ever pumping leaves X events behind whose late
    // handling ends the next test's program with an X error.
    if ((GetWindowLongA(m_hWnd, GWL_STYLE) & (WS_CHILD | WS_VISIBLE)) == WS_VISIBLE) {
        ShowWindow(m_hWnd, SW_HIDE);
        PumpPending();
    }
    DestroyWindow(m_hWnd);
}

LRESULT CALLBACK RecordingWindow::WindowProcedure(HWND hWnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam)
{
    auto* self = static_cast<RecordingWindow*>(GetPropA(hWnd, kPointerProperty));
    if (self == nullptr && t_creating != nullptr) {
        self = t_creating;
        SetPropA(hWnd, kPointerProperty, self);
    }
    if (self == nullptr)
        return DefWindowProcA(hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(hWnd, kPointerProperty);
        LRESULT result = self->Receive(hWnd, message, wParam, lParam);
        self->m_hWnd = NULL;
        return result;
    }
    return self->Receive(hWnd, message, wParam, lParam);
}

LRESULT RecordingWindow::Receive(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    RecordedMessage record;
    record.message = message;
    record.wParam = wParam;
    record.lParam = lParam;
    record.time = GetTickCount();

    Copier copier;
    Handler handler;
    bool hasResult = false;
    LRESULT result = 0;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        auto c = m_copiers.find(message);
        if (c != m_copiers.end())
            copier = c->second;
        auto h = m_handlers.find(message);
        if (h != m_handlers.end())
            handler = h->second;
        auto r = m_results.find(message);
        if (r != m_results.end()) {
            hasResult = true;
            result = r->second;
        }
    }
    // Copiers and handlers run unlocked: they may send messages to this window again.
    if (copier) {
        record.payload = copier(wParam, lParam);
        record.hasPayload = true;
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_messages.push_back(std::move(record));
    }
    if (handler)
        return handler(hWnd, wParam, lParam);
    if (hasResult)
        return result;
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

void RecordingWindow::CopyPayload(UINT message, Copier copier)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_copiers[message] = std::move(copier);
}

void RecordingWindow::CopyString(UINT message)
{
    CopyPayload(message, [](WPARAM, LPARAM l) {
        const char* text = reinterpret_cast<const char*>(l);
        return text != nullptr ? std::string(text) : std::string();
    });
}

void RecordingWindow::CopyCopyData()
{
    CopyPayload(WM_COPYDATA, [](WPARAM, LPARAM l) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(l);
        if (data == nullptr || data->lpData == nullptr)
            return std::string();
        return std::string(static_cast<const char*>(data->lpData), data->cbData);
    });
}

void RecordingWindow::SetResult(UINT message, LRESULT result)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_results[message] = result;
}

void RecordingWindow::SetHandler(UINT message, Handler handler)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_handlers[message] = std::move(handler);
}

std::vector<RecordedMessage> RecordingWindow::Messages() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_messages;
}

std::vector<RecordedMessage> RecordingWindow::MessagesOf(UINT message) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<RecordedMessage> found;
    for (const RecordedMessage& record : m_messages) {
        if (record.message == message)
            found.push_back(record);
    }
    return found;
}

size_t RecordingWindow::Count(UINT message) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    size_t count = 0;
    for (const RecordedMessage& record : m_messages) {
        if (record.message == message)
            ++count;
    }
    return count;
}

RecordedMessage RecordingWindow::Last(UINT message) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    for (auto it = m_messages.rbegin(); it != m_messages.rend(); ++it) {
        if (it->message == message)
            return *it;
    }
    return RecordedMessage();
}

void RecordingWindow::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_messages.clear();
}

bool RecordingWindow::WaitFor(UINT message, size_t count, DWORD timeoutMs) const
{
    return PumpUntil([&] { return Count(message) >= count; }, timeoutMs);
}

}  // namespace tolvan::test
