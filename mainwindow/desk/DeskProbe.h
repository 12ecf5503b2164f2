// A test hook of the running program, active only when the environment names a state file
// (TOLVAN_DESK_PROBE): another process sends text commands with WM_COPYDATA; each is posted
// back to the main window and run there through the same messages the trade panel sends
// (an order ticket, a row choice, cancel, close...), and "dump" writes the trading state and
// the trade panel's lists to the file.
#pragma once
#include <afx.h>
#include <afxwin.h>
#include <functional>

class CDeskParts;

class CDeskProbe
{
public:
    // dwData of the hook's WM_COPYDATA.
    enum { kCopyDataTag = 0x4B534544 };
    // Posted to the main window once per command it keeps waiting (no parameters); it does
    // nothing when the hook is off.
    enum { kCommandMessage = WM_APP + 0x3401 };

    // Empty when the hook is off.
    static CString StatePath();

    // Runs one command on the main window; false for an unknown one. moreState gives the
    // lines of other windows' state that "dump" writes after the trading state (name=value
    // lines, each ending in a line feed).
    static bool Run(HWND mainWindow, CDeskParts& parts, const CString& command,
                    const std::function<CString()>& moreState);
    static CString StateText(CDeskParts& parts, const CString& moreState);
    // Replaces the state file with text (name=value lines ending in "end"); false when the
    // hook is off or the file could not be written.
    static bool WriteState(const CString& text);
};
