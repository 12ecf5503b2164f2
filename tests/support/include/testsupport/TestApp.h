// An application object for test programs (which start at main, not AfxWinMain): it
// registers itself as the program's CWinApp and initializes the module the way
// AfxWinMain would, without running InitInstance or a message loop. Code under test then
// finds AfxGetApp(), its name (the default caption of AfxMessageBox), the instance and
// resource handles, and m_pMainWnd once a test sets it.
// One at a time per program: destroying it leaves the program without an application.
#pragma once

#include <afxwin.h>

namespace tolvan::test {

class TestApp : public CWinApp {
public:
    explicit TestApp(LPCTSTR appName = "TolvanTest");
    ~TestApp() override;
    TestApp(const TestApp&) = delete;
    TestApp& operator=(const TestApp&) = delete;
};

// Moves the pointer to the display's bottom-right corner. It starts in the middle, inside most
// windows a test shows (the terminal's login window and splash among them); a window shown and
// destroyed under it leaves pointer and focus events that Wine handles late, after the window
// is gone, ending that program with an X error. Tests that use the mouse move it themselves.
void ParkPointer();

}  // namespace tolvan::test
