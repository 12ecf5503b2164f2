// The running program's test hook (TOLVAN_DESK_PROBE) seen from a test: text commands sent
// to the main window, and the state the hook writes to its file on "dump" read back.
#pragma once
#include <afx.h>

#include "ProbeState.h"

#include <functional>

namespace login_test {

class CTerminalProbe
{
public:
    // Turns the hook on, writing to this file, for the programs started from now on; the
    // destructor turns it off again.
    explicit CTerminalProbe(const CString& statePath);
    ~CTerminalProbe();
    CTerminalProbe(const CTerminalProbe&) = delete;
    CTerminalProbe& operator=(const CTerminalProbe&) = delete;

    // The main window the commands go to.
    void Attach(HWND main) { m_main = main; }
    // True when the hook took the command.
    bool Command(const char* command) const;
    // The state as the hook writes it now; empty when it did not answer.
    ProbeState State() const;
    // Reads the state until `condition` holds for it; `last` receives the state read last.
    bool WaitState(const std::function<bool(const ProbeState&)>& condition, ProbeState* last = nullptr,
                   DWORD timeoutMs = 60000) const;

private:
    CString m_statePath;
    HWND m_main = NULL;
};

}  // namespace login_test
