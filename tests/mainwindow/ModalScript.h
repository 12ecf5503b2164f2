// Drives a modal window from inside its own loop: a thread timer runs the script's steps in
// order, one per tick, each once its condition holds (so the messages a step posted are
// handled before the next step looks). A script that stalls past its deadline sends
// Cancel to the active window, so the test fails instead of hanging.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class ModalScript
{
public:
    struct Step {
        std::string name;
        std::function<bool()> ready;
        std::function<void()> act;
    };

    explicit ModalScript(DWORD deadlineMs = 20000);
    ~ModalScript();

    void Then(const std::string& name, std::function<bool()> ready, std::function<void()> act);
    // Arms the timer; the modal loop the caller enters next runs the steps.
    void Start();
    bool Finished() const { return m_next == m_steps.size(); }
    // The step that did not come about, for failure messages.
    std::string Stalled() const;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<Step> m_steps;
    size_t m_next = 0;
    UINT_PTR m_timer = 0;
    DWORD m_deadline;
    DWORD m_started = 0;
    bool m_running = false;
    static ModalScript* s_current;
};
