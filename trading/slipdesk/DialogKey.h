// The quantity keypad pop-up of the order form: nine fixed quantities; a press reports the
// value to the form and closes the pop-up.
#pragma once
#include <afxdialogex.h>

class DialogKey : public CDialogEx
{
public:
    explicit DialogKey(CWnd* owner);

    int GetLastValue() const { return m_lastValue; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override;

private:
    int m_lastValue = 0;
    CWnd* m_owner;
};
