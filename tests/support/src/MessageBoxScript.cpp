#include "testsupport/MessageBoxScript.h"

#include "testsupport/Pump.h"

#include <afxwin.h>

namespace tolvan::test {

namespace {

// The hook is a plain function, so the active script is found through this pointer. The
// recursive lock keeps a script alive while a box on another thread is being answered and
// allows a responder that itself asks (nested boxes on the same thread).
std::recursive_mutex g_activeLock;
MessageBoxScript* g_active = nullptr;

}  // namespace

MessageBoxScript::MessageBoxScript()
{
    std::lock_guard<std::recursive_mutex> guard(g_activeLock);
    m_previousScript = g_active;
    g_active = this;
    m_previousHook = AfxSetMessageBoxHook(&MessageBoxScript::Hook);
}

MessageBoxScript::~MessageBoxScript()
{
    std::lock_guard<std::recursive_mutex> guard(g_activeLock);
    AfxSetMessageBoxHook(m_previousHook);
    g_active = m_previousScript;
}

int CALLBACK MessageBoxScript::Hook(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    std::lock_guard<std::recursive_mutex> guard(g_activeLock);
    if (g_active == nullptr)
        return IDOK;
    return g_active->Ask(owner, text, caption, type);
}

int MessageBoxScript::Ask(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    MessageBoxRecord record;
    record.owner = owner;
    record.text = text != nullptr ? text : "";
    record.caption = caption != nullptr ? caption : "";
    record.type = type;
    record.threadId = GetCurrentThreadId();

    Responder responder;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_answers.empty()) {
            record.result = m_answers.front();
            m_answers.pop_front();
        } else if (m_responder) {
            responder = m_responder;
        } else {
            record.result = m_defaultAnswer;
        }
    }
    // Unlocked: a responder may itself cause another box on this thread.
    if (responder)
        record.result = responder(record);
    std::lock_guard<std::mutex> guard(m_lock);
    m_boxes.push_back(record);
    return record.result;
}

void MessageBoxScript::Answer(int result)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_answers.push_back(result);
}

void MessageBoxScript::Answer(std::initializer_list<int> results)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_answers.insert(m_answers.end(), results.begin(), results.end());
}

void MessageBoxScript::SetDefaultAnswer(int result)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_defaultAnswer = result;
}

void MessageBoxScript::SetResponder(Responder responder)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_responder = std::move(responder);
}

std::vector<MessageBoxRecord> MessageBoxScript::Boxes() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_boxes;
}

size_t MessageBoxScript::Count() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_boxes.size();
}

MessageBoxRecord MessageBoxScript::Last() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_boxes.empty() ? MessageBoxRecord() : m_boxes.back();
}

size_t MessageBoxScript::PendingAnswers() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_answers.size();
}

void MessageBoxScript::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_boxes.clear();
}

bool MessageBoxScript::WaitForCount(size_t count, DWORD timeoutMs) const
{
    return PumpUntil([&] { return Count() >= count; }, timeoutMs);
}

}  // namespace tolvan::test

