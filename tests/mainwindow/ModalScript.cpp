#include "ModalScript.h"

ModalScript* ModalScript::s_current = nullptr;

ModalScript::ModalScript(DWORD deadlineMs) : m_deadline(deadlineMs) {}

ModalScript::~ModalScript()
{
    if (m_timer != 0)
        ::KillTimer(NULL, m_timer);
    if (s_current == this)
        s_current = nullptr;
}

void ModalScript::Then(const std::string& name, std::function<bool()> ready,
                       std::function<void()> act)
{
    m_steps.push_back(Step{ name, std::move(ready), std::move(act) });
}

void ModalScript::Start()
{
    s_current = this;
    m_started = ::GetTickCount();
    m_timer = ::SetTimer(NULL, 0, 20, &ModalScript::OnTimer);
}

std::string ModalScript::Stalled() const
{
    return Finished() ? std::string() : m_steps[m_next].name;
}

void CALLBACK ModalScript::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (s_current != nullptr)
        s_current->Tick();
}

void ModalScript::Tick()
{
    if (m_running)
        return;  // a step's action pumps messages itself
    m_running = true;
    // One step per tick, so what a step posted is handled before the next one looks.
    if (m_next < m_steps.size() && m_steps[m_next].ready()) {
        Step& step = m_steps[m_next++];
        if (step.act)
            step.act();
    }
    if (!Finished() && ::GetTickCount() - m_started > m_deadline) {
        // Give up: close the thread's active window so the modal loop returns.
        HWND active = ::GetActiveWindow();
        if (active != NULL)
            ::PostMessage(active, WM_COMMAND, IDCANCEL, 0);
        m_started = ::GetTickCount();
    }
    m_running = false;
}
