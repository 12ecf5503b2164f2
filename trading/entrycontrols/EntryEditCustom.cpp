#include "EntryEditCustom.h"

#include "NumberText.h"

namespace entry {

BEGIN_MESSAGE_MAP(CEditCustom, CEditEx)
    ON_WM_CHAR()
    ON_CONTROL_REFLECT(EN_CHANGE, &CEditCustom::OnEnChange)
END_MESSAGE_MAP()

CEditCustom::CEditCustom() = default;

CEditCustom::~CEditCustom() = default;

bool CEditCustom::Holds(const CArray<char, char>& set, char ch)
{
    for (INT_PTR i = 0; i < set.GetSize(); ++i)
        if (set[i] == ch)
            return true;
    return false;
}

void CEditCustom::AddOnceChar(char ch)
{
    if (!Holds(m_onceChars, ch))
        m_onceChars.Add(ch);
}

void CEditCustom::AddValidChar(char ch)
{
    if (!Holds(m_validChars, ch))
        m_validChars.Add(ch);
}

void CEditCustom::AddValidChars(const CString& chars)
{
    for (int i = 0; i < chars.GetLength(); ++i)
        AddValidChar(chars[i]);
}

void CEditCustom::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar < 0x100 && Holds(m_onceChars, (char)nChar)) {
        CString text;
        GetWindowText(text);
        if (text.Find((char)nChar) >= 0) {
            int start = 0, end = 0;
            GetSel(start, end);
            // Typing over a selection that holds the character replaces it.
            if (start == end || text.Mid(start, end - start).Find((char)nChar) < 0)
                return;
        }
    }
    CEditEx::OnChar(nChar, nRepCnt, nFlags);
}

CString CEditCustom::CleanText(const CString& text) const
{
    CString result = text;
    for (INT_PTR i = 0; i < m_onceChars.GetSize(); ++i) {
        int first = result.Find(m_onceChars[i]);
        if (first < 0)
            continue;
        CString tail = result.Mid(first + 1);
        tail.Remove(m_onceChars[i]);
        result = result.Left(first + 1) + tail;
    }
    if (m_onceChars.GetSize() > 0 || m_validChars.GetSize() > 0) {
        CString kept;
        for (int i = 0; i < result.GetLength(); ++i) {
            char c = result[i];
            if (Holds(m_onceChars, c) || Holds(m_validChars, c))
                kept += c;
        }
        result = kept;
    }
    if (!m_freeDecimals) {
        int point = result.Find('.');
        if (point >= 0 && result.GetLength() - point - 1 > m_decimalPlaces)
            result = FormatNumber(result, m_decimalPlaces);
    }
    return result;
}

void CEditCustom::OnEnChange()
{
    CString text;
    GetWindowText(text);
    int start = 0, end = 0;
    GetSel(start, end);
    CString result = CleanText(text);
    if (!m_freeDecimals && result.GetLength() < text.GetLength() && result.Find('.') >= 0 &&
        text.GetLength() - text.Find('.') - 1 > m_decimalPlaces) {
        // The cut digits sit after the caret; keep the caret where the user typed.
        ++start;
        ++end;
    }
    if (result != text) {
        SetWindowText(result);
        SetSel(start > 0 ? start - 1 : 0, end > 0 ? end - 1 : 0);
        SendMessage(EM_SCROLLCARET, 0, 0);
    }
    // The reflected entry took the parent's notification; hand it on with the parent's own
    // handle in lParam so the framework does not reflect it back here.
    CWnd* parent = GetParent();
    if (parent != NULL)
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), EN_CHANGE), (LPARAM)parent->m_hWnd);
}

}  // namespace entry
