#include "EditCustom.h"

#include "CharFilter.h"
#include "FlatFrame.h"

// Chained to the plain edit's map: the filter of CEditEx does not run here, and the parent
// gets EN_CHANGE in the ordinary way.
BEGIN_MESSAGE_MAP(CEditCustom, CEdit)
    ON_WM_NCPAINT()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_CHAR()
    ON_MESSAGE(WM_PASTE, &CEditCustom::OnPaste)
END_MESSAGE_MAP()

CEditCustom::CEditCustom() = default;
CEditCustom::~CEditCustom() = default;

void CEditCustom::SetDecimalPlaces(int places)
{
    m_decimalPlaces = places;
}

int CEditCustom::SetFreeDecimals(int freeDecimals)
{
    m_freeDecimals = freeDecimals;
    return m_freeDecimals;
}

void CEditCustom::AddOnceChar(char ch)
{
    if (!Holds(m_onceChars, static_cast<UINT>(static_cast<int>(ch))))
        m_onceChars.Add(ch);
}

void CEditCustom::AddValidChar(char ch)
{
    if (!Holds(m_validChars, static_cast<UINT>(static_cast<int>(ch))))
        m_validChars.Add(ch);
}

void CEditCustom::AddValidChars(const CString& chars)
{
    for (int i = 0; i < chars.GetLength(); ++i)
        AddValidChar(chars[i]);
}

void CEditCustom::OnNcPaint()
{
    tolvan::controls::PaintFlatFrame(m_hWnd, m_borderWidth, m_borderColor, true);
}

HBRUSH CEditCustom::CtlColor(CDC* pDC, UINT nCtlColor)
{
    return CEditEx::CtlColor(pDC, nCtlColor);
}

bool CEditCustom::Holds(const CArray<char, char>& set, UINT ch)
{
    // Keys compare as signed bytes, so only keys below 0x80 can match.
    for (INT_PTR i = 0; i < set.GetSize(); ++i) {
        if (static_cast<int>(set[i]) == static_cast<int>(ch))
            return true;
    }
    return false;
}

bool CEditCustom::Accepts(UINT ch, const std::string& others) const
{
    if (m_onceChars.GetSize() > 0 && Holds(m_onceChars, ch))
        return others.find(static_cast<char>(ch)) == std::string::npos;
    return m_validChars.GetSize() > 0 && Holds(m_validChars, ch);
}

std::string CEditCustom::TextBesideSelection() const
{
    CString text;
    GetWindowText(text);
    std::string whole = (LPCTSTR)text;
    int start = 0, end = 0;
    GetSel(start, end);
    if (start < 0 || end < start || end > static_cast<int>(whole.size()))
        return whole;
    return whole.substr(0, start) + whole.substr(end);
}

void CEditCustom::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!Accepts(nChar, TextBesideSelection()))
        return;
    CEdit::OnChar(nChar, nRepCnt, nFlags);
    CutDecimalsIfNeeded();
}

LRESULT CEditCustom::OnPaste(WPARAM, LPARAM)
{
    std::string pasted;
    if (::IsClipboardFormatAvailable(CF_TEXT) && ::OpenClipboard(m_hWnd)) {
        HANDLE data = ::GetClipboardData(CF_TEXT);
        const char* text = data != NULL ? static_cast<const char*>(::GlobalLock(data)) : nullptr;
        if (text != nullptr) {
            pasted = text;
            ::GlobalUnlock(data);
        }
        ::CloseClipboard();
    }
    // Each pasted character goes through the rule of a typed key; a double-byte character
    // never matches a set and is dropped whole.
    std::string others = TextBesideSelection();
    std::string accepted;
    for (size_t pos = 0; pos < pasted.size();) {
        size_t length = tolvan::controls::CharLength(pasted, pos);
        UINT ch = static_cast<BYTE>(pasted[pos]);
        if (length == 1 && Accepts(ch, others + accepted))
            accepted += pasted[pos];
        pos += length;
    }
    if (!accepted.empty()) {
        ReplaceSel(accepted.c_str(), TRUE);
        CutDecimalsIfNeeded();
    }
    return 0;
}

void CEditCustom::CutDecimalsIfNeeded()
{
    if (m_freeDecimals != 0)
        return;
    CString text;
    GetWindowText(text);
    std::string cut = tolvan::controls::CutDecimals((LPCTSTR)text, m_decimalPlaces);
    if (cut == (LPCTSTR)text)
        return;
    SetWindowText(cut.c_str());
    int length = static_cast<int>(cut.size());
    SetSel(length, length);
    SendMessage(EM_SCROLLCARET, 0, 0);
    SetFocus();
}
