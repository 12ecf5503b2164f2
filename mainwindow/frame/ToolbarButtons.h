// The main window's toolbar (the Ribbonet library's window): the thirteen button
// registrations and which period buttons a sector allows.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <afxstr.h>

const int kToolbarButtonCount = 13;

// The message each toolbar button sends, by button index.
extern const UINT kToolbarMessages[kToolbarButtonCount];

// Which of the period buttons 6 to 12 (week, month, 1, 5, 15, 30, 60 minutes) are enabled.
struct PeriodButtonStates
{
    bool weekAndMonth = false;  // buttons 6 and 7
    bool minutes = false;       // buttons 8 to 11
    bool hour = false;          // button 12

    bool IsEnabled(int button) const;
};

// For the shown sector; in "我的板块" the selected row's market key decides (no row: "").
PeriodButtonStates PeriodButtonsFor(const CString& sector, bool hasSelectedRow, const CString& marketKey);

class CMainToolbar
{
public:
    // Creates the toolbar on the parent (top 25 pixels), makes the parent its message target,
    // registers every button and checks button 0. False when the library gave no window.
    bool Create(HWND hParent, int clientWidth);
    void Move(int width);
    void Check(int button);
    void Enable(int button, bool enabled);
    void ApplyPeriodButtons(const PeriodButtonStates& states);

    HWND GetSafeHwnd() const { return m_hWnd; }

private:
    HWND m_hWnd = NULL;
};
