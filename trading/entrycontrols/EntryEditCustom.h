// The numeric and password edit of the order form and the password page. Keys are checked
// only against the characters allowed once (a second '.' is refused); everything else is
// cleaned after each change, so pasted text passes the same rules as typed text.
#pragma once
#include "EntryEditEx.h"

#include <afxtempl.h>

namespace entry {

class CEditCustom : public CEditEx
{
public:
    CEditCustom();
    ~CEditCustom() override;

    void AddOnceChar(char ch);
    void AddValidChar(char ch);
    void AddValidChars(const CString& chars);

    // Set by the owner directly.
    int m_decimalPlaces = 2;
    int m_freeDecimals = 1;  // 1: digits after the point are not cut

    // The text as the change clean-up leaves it (steps 1 to 3, without the window).
    CString CleanText(const CString& text) const;

protected:
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnEnChange();

private:
    static bool Holds(const CArray<char, char>& set, char ch);

    CArray<char, char> m_onceChars;
    CArray<char, char> m_validChars;

    DECLARE_MESSAGE_MAP()
};

}  // namespace entry
