#include "EditEx.h"

#include "CharFilter.h"

#include <string>
#include <vector>

BEGIN_MESSAGE_MAP(CEditEx, CFlatEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, &CEditEx::OnEnChange)
END_MESSAGE_MAP()

CEditEx::CEditEx() = default;

CEditEx::~CEditEx() = default;

void CEditEx::SetValidChars(const CString& chars)
{
    m_validChars = chars;
}

void CEditEx::OnEnChange()
{
    if (m_validChars.IsEmpty()) {
        // The reflected entry took the parent's notification; hand it on. The parent's own
        // handle in lParam keeps the framework from reflecting it back here.
        CWnd* parent = GetParent();
        if (parent != NULL) {
            parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), EN_CHANGE),
                                (LPARAM)parent->m_hWnd);
        }
        return;
    }
    int start = 0, end = 0;
    GetSel(start, end);
    CString text;
    GetWindowText(text);
    std::vector<int> selection{ start, end };
    std::string kept = tolvan::controls::KeepAllowed(std::string((LPCTSTR)text),
                                                     std::string((LPCTSTR)m_validChars),
                                                     &selection);
    if (kept == (LPCTSTR)text)
        return;
    SetWindowText(kept.c_str());
    SetSel(selection[0], selection[1]);
    SendMessage(EM_SCROLLCARET, 0, 0);
}
