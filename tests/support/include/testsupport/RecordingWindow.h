// A real window that records every message it receives, for tests of code that sends or
// posts messages to a window (worker threads reporting to the interface, notifications to
// a parent, WM_COPYDATA...). Payloads that live only during a SendMessage call (a pointer
// to the sender's stack in LPARAM) are copied by a copier registered for that message, so
// the record stays valid after the call returned.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <type_traits>
#include <vector>

namespace tolvan::test {

struct RecordedMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;          // GetTickCount() when the window procedure saw it
    std::string payload;     // what the message's copier returned (empty without one)
    bool hasPayload = false;

    // The payload reinterpreted as the struct a CopyStruct<T> copier stored.
    template <class T>
    T PayloadAs() const
    {
        static_assert(std::is_trivially_copyable<T>::value, "payload must be a plain struct");
        T value{};
        if (payload.size() == sizeof(T))
            std::memcpy(&value, payload.data(), sizeof(T));
        return value;
    }
};

class RecordingWindow {
public:
    enum class Kind {
        MessageOnly,  // HWND_MESSAGE parent: receives sent and posted messages, never shown
        TopLevel,     // a visible popup window at `bounds` (for painting and parenting)
    };

    using Copier = std::function<std::string(WPARAM, LPARAM)>;
    using Handler = std::function<LRESULT(HWND, WPARAM, LPARAM)>;

    // Creates the window on the calling thread, which must pump messages for it.
    explicit RecordingWindow(Kind kind = Kind::MessageOnly, RECT bounds = RECT{100, 100, 500, 400},
                             const char* title = "RecordingWindow");
    // A visible child window of `parent` at `bounds` (parent client coordinates).
    RecordingWindow(HWND parent, RECT bounds, UINT id);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Registers how the payload of `message` is copied while the message is in flight.
    void CopyPayload(UINT message, Copier copier);
    // Copies sizeof(T) bytes from the pointer in LPARAM (or WPARAM) by value.
    template <class T>
    void CopyStruct(UINT message, bool fromWParam = false)
    {
        static_assert(std::is_trivially_copyable<T>::value, "copy plain structs only");
        CopyPayload(message, [fromWParam](WPARAM w, LPARAM l) {
            const void* source = fromWParam ? reinterpret_cast<const void*>(w)
                                            : reinterpret_cast<const void*>(l);
            if (source == nullptr)
                return std::string();
            return std::string(static_cast<const char*>(source), sizeof(T));
        });
    }
    // Copies the zero-terminated string LPARAM points to (WM_SETTEXT and the like).
    void CopyString(UINT message);
    // Copies the bytes of the COPYDATASTRUCT in LPARAM (WM_COPYDATA).
    void CopyCopyData();

    // What the window procedure returns for `message` instead of DefWindowProc's result.
    void SetResult(UINT message, LRESULT result);
    // Runs `handler` for `message` (after recording) and returns its result.
    void SetHandler(UINT message, Handler handler);

    std::vector<RecordedMessage> Messages() const;
    std::vector<RecordedMessage> MessagesOf(UINT message) const;
    size_t Count(UINT message) const;
    // The last record of `message`; a default record when there is none.
    RecordedMessage Last(UINT message) const;
    void Clear();

    // Pumps the calling thread until `count` records of `message` exist.
    bool WaitFor(UINT message, size_t count = 1, DWORD timeoutMs = 30000) const;

    static const char* ClassName();

private:
    void Create(DWORD style, RECT bounds, HWND parent, HMENU menuOrId, const char* title);
    static LRESULT CALLBACK WindowProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Receive(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = NULL;
    mutable std::mutex m_lock;
    std::vector<RecordedMessage> m_messages;
    std::map<UINT, Copier> m_copiers;
    std::map<UINT, LRESULT> m_results;
    std::map<UINT, Handler> m_handlers;
};

}  // namespace tolvan::test
