#include "QueryPage.h"

#include "SeekwellResource.h"

#include <TradingMessages.h>

BEGIN_MESSAGE_MAP(CQueryPage, CDialog)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CQueryPage::CQueryPage() : CDialog((UINT)0, NULL), m_statusRect(5, 60, 150, 180)
{
    m_status.colour = 0xFF0000;
}

CQueryPage::~CQueryPage() {}

BOOL CQueryPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreateControls();
    CRect client;
    GetClientRect(&client);
    LayOut(client.Width(), client.Height());
    return FALSE;
}

void CQueryPage::CreateFlatButton(CLayerButton& button, UINT id, LPCTSTR caption, CFont* font,
                                  COLORREF background, COLORREF captionColour)
{
    button.Create(caption, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, id);
    button.SetStyle(0);
    button.SetTextFormat(DT_CENTER);
    button.SetBkColor(background);
    button.SetTextColor(captionColour);
    button.SetFont(font);
}

void CQueryPage::SendRequest(const CString& caption)
{
    m_request.command = caption;
    FillDates(m_request);
    // Page, tab strip, query window, container: the trade dialog is the fourth ancestor.
    HWND ancestor = m_hWnd;
    for (int i = 0; i < 4 && ancestor != NULL; ++i)
        ancestor = ::GetParent(ancestor);
    if (ancestor != NULL)
        ::SendMessage(ancestor, WM_QUERY_REQUEST, (WPARAM)&m_request, 0);
}

void CQueryPage::OnStatusLine(const StatusLine& status)
{
    m_status = status;
    InvalidateRect(&m_statusRect);
}

CString CQueryPage::PickerDate(CWnd& picker)
{
    SYSTEMTIME time = {};
    DWORD result = (DWORD)picker.SendMessage(DTM_GETSYSTEMTIME, 0, (LPARAM)&time);
    if (result == GDT_NONE)
        return CString();
    if (result != GDT_VALID)
        return CString("Invalid DateTime");
    CString text;
    text.Format("%04d%02d%02d", time.wYear, time.wMonth, time.wDay);
    return text;
}

BOOL CQueryPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0 && HIWORD(wParam) == BN_CLICKED && ::GetParent((HWND)lParam) == m_hWnd) {
        CString caption;
        CWnd::FromHandle((HWND)lParam)->GetWindowText(caption);
        SendRequest(caption);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT CQueryPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_QUERY_PAGE_0:
    case WM_QUERY_PAGE_2:
    case WM_QUERY_PAGE_4:
        if (wParam != 0 && m_textBox != nullptr && m_textBox->GetSafeHwnd() != NULL)
            ApplyQueryText(*m_textBox, m_style, *reinterpret_cast<const QueryText*>(wParam));
        return 0;
    case WM_QUERY_PAGE_1:
    case WM_QUERY_PAGE_3:
    case WM_QUERY_PAGE_5:
        if (wParam != 0)
            OnStatusLine(*reinterpret_cast<const StatusLine*>(wParam));
        return 0;
    case WM_CTLCOLORSTATIC: {
        // The date labels show the page's white through them.
        const int id = ::GetDlgCtrlID((HWND)lParam);
        if (id == IDC_QUERY_DATE_LABEL || id == IDC_QUERY_START_LABEL || id == IDC_QUERY_END_LABEL) {
            ::SetBkMode((HDC)wParam, TRANSPARENT);
            return (LRESULT)::GetStockObject(HOLLOW_BRUSH);
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
    case WM_QUERY_PAGE_6:
        if (wParam != 0)
            OnNextPageState(*reinterpret_cast<const std::map<int, int>*>(wParam));
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

void CQueryPage::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, 0xFFFFFF);
    if (m_status.text.IsEmpty())
        return;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_status.colour);
    CFont* oldFont = m_font.GetSafeHandle() != NULL ? dc.SelectObject(&m_font) : nullptr;
    const UINT format = DT_WORDBREAK | DT_EDITCONTROL;
    CRect measured = m_statusRect;
    const int height = dc.DrawText(m_status.text, &measured, format | DT_CALCRECT);
    CRect place = m_statusRect;
    if (height < place.Height())
        place.top += (place.Height() - height) / 2;
    dc.DrawText(m_status.text, &place, format);
    if (oldFont != nullptr)
        dc.SelectObject(oldFont);
}

BOOL CQueryPage::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CQueryPage::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    LayOut(cx, cy);
}

void CQueryPage::OnCancel()
{
    DestroyWindow();
}

void CQueryPage::PostNcDestroy()
{
    delete this;
}
