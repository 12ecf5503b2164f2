// Replaces every AfxMessageBox / CWnd::MessageBox while it lives: no box is shown, each
// one is recorded in order and answered from a queue the test fills (IDOK when the queue
// is empty and no responder is set). Boxes may come from any thread. The hook that was set
// before is restored on destruction, so scripts nest.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tolvan::test {

struct MessageBoxRecord {
    HWND owner = NULL;
    std::string text;
    std::string caption;
    UINT type = 0;       // MB_* flags as passed
    int result = 0;      // what the script answered
    DWORD threadId = 0;  // the thread that asked
};

class MessageBoxScript {
public:
    // Decides the answer when the queue is empty.
    using Responder = std::function<int(const MessageBoxRecord&)>;

    MessageBoxScript();
    ~MessageBoxScript();
    MessageBoxScript(const MessageBoxScript&) = delete;
    MessageBoxScript& operator=(const MessageBoxScript&) = delete;

    // Queues the answer to the next box not yet answered (IDYES, IDNO, IDCANCEL...).
    void Answer(int result);
    void Answer(std::initializer_list<int> results);
    // Answer used when the queue is empty and no responder is set (IDOK at first).
    void SetDefaultAnswer(int result);
    // Called on the asking thread for boxes the queue does not answer. Boxes of other
    // threads wait meanwhile, so a responder must not wait for them.
    void SetResponder(Responder responder);

    std::vector<MessageBoxRecord> Boxes() const;
    size_t Count() const;
    // The last box; a default record when there was none.
    MessageBoxRecord Last() const;
    // Queued answers not used yet.
    size_t PendingAnswers() const;
    void Clear();

    // Pumps the calling thread until `count` boxes were asked for.
    bool WaitForCount(size_t count, DWORD timeoutMs = 30000) const;

private:
    static int CALLBACK Hook(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
    int Ask(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

    using HookFunction = int(CALLBACK*)(HWND, LPCSTR, LPCSTR, UINT);
    HookFunction m_previousHook = nullptr;
    MessageBoxScript* m_previousScript = nullptr;

    mutable std::mutex m_lock;
    std::vector<MessageBoxRecord> m_boxes;
    std::deque<int> m_answers;
    int m_defaultAnswer = IDOK;
    Responder m_responder;
};

}  // namespace tolvan::test
