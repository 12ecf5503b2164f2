// Process-wide values of the login: which kind of server list is current, the remembered
// list positions, and where the lists and the user's settings lie.
#pragma once
#include <afx.h>

// The special account switched the program to its simulated server list.
extern volatile bool SpecialLoginFlag;
// The current login uses the built-in default server (no trading connections then).
extern volatile bool DefaultServerUsed;
// Remembered positions of the chosen server in the simulated and the real list; -1 unknown.
extern volatile int serveListIndexAnalog;
extern volatile int serveListIndexTrue;

// The simulated list is current only after the special login and with the session's
// server-list mode 0.
bool UseAnalogServerList();

// Lists next to the program: appDir (ending in "\") + "ServerList_analog.ini" or
// "ServerList_real.ini".
CString GetServerListPath(const CString& appDir, bool analog);
CString GetCurrentServerListPath(const CString& appDir);
// The speed-sorted copy under testDir ("<root>\test\").
CString GetArrangedServerListPath(const CString& testDir, bool analog);
CString GetCurrentArrangedServerListPath(const CString& testDir);

// The speed-test program's command line. Every path is quoted, so a program directory with
// blanks still starts the right program with the right files.
CString BuildSpeedTestCommandLine(const CString& testDir, const CString& appDir, bool fullTest, bool analog);
