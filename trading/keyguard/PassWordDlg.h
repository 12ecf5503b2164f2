// The password change page: current password and the new one twice; "修改" sends the three
// texts up to the trade dialog, whose main window checks them and answers with a status
// line that this page paints.
#pragma once
#include <afxdialogex.h>

#include <EntryEditCustom.h>
#include <LayerButton.h>
#include <TradingRecords.h>

#include "KeyPasswordDlg.h"

class CPassWordDlg : public CDialogEx
{
public:
    CPassWordDlg();
    ~CPassWordDlg() override;

    const StatusLine& GetStatus() const { return m_status; }
    CKeyPasswordDlg& GetKeypad() { return m_keypad; }
    int GetKeypadTarget() const { return m_keypadTarget; }
    // Opens the keypad for edit 0, 1 or 2 (the "软键盘" buttons, which start hidden).
    void ShowKeyboard(int target);

    // The characters a password may hold.
    static CString AllowedCharacters();

protected:
    BOOL OnInitDialog() override;
    void PostNcDestroy() override;
    void OnOK() override {}
    void OnCancel() override;

    afx_msg LRESULT OnPasswordStatus(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKeypadKey(WPARAM wParam, LPARAM lParam);
    afx_msg void OnModify();
    afx_msg void OnKeyboardButton(UINT id);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    void CreateLabel(CStatic& label, const char* text, UINT id);
    void CreateEdit(entry::CEditCustom& edit, UINT id);
    void CreateButton(CLayerButton& button, const char* text, UINT id, bool visible);
    entry::CEditCustom& TargetEdit(int target);
    void Layout(int cx, int cy);

    CFont m_font;
    CStatic m_typeLabel, m_currentLabel, m_newLabel, m_againLabel;
    CComboBox m_type;
    entry::CEditCustom m_current, m_new, m_again;
    CLayerButton m_currentKeys, m_newKeys, m_againKeys, m_modify;
    CKeyPasswordDlg m_keypad;
    int m_keypadTarget = 0;
    PasswordRequest m_request;
    StatusLine m_status;
    CRect m_statusRect;
};
