// The numeric entry field: keystrokes are filtered against a set of valid characters and a
// set of characters allowed at most once (the decimal point, a sign), and the digits after
// the decimal point can be cut to a number of places. Pasted text passes the same filter.
#pragma once

#include "EditEx.h"

#include <afxtempl.h>

#include <string>

class CEditCustom : public CEditEx
{
public:
    CEditCustom();
    ~CEditCustom() override;

    void SetDecimalPlaces(int places);
    int SetFreeDecimals(int freeDecimals);
    void AddOnceChar(char ch);
    void AddValidChar(char ch);
    void AddValidChars(const CString& chars);

protected:
    afx_msg void OnNcPaint();
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg LRESULT OnPaste(WPARAM wParam, LPARAM lParam);

private:
    static bool Holds(const CArray<char, char>& set, UINT ch);
    // Whether `ch` may join `others` (the text that stays beside it).
    bool Accepts(UINT ch, const std::string& others) const;
    // The text outside the current selection, which a typed or pasted text replaces.
    std::string TextBesideSelection() const;
    void CutDecimalsIfNeeded();

    CArray<char, char> m_onceChars;
    CArray<char, char> m_validChars;
    int m_decimalPlaces = 2;
    int m_freeDecimals = 1;

    DECLARE_MESSAGE_MAP()
};
