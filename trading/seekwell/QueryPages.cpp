#include "QueryPages.h"

#include "SeekwellResource.h"

namespace {

const COLORREF kFrameColour = 0xB99D7F;
const COLORREF kButtonBackground = 0xEBF5F5;
const DWORD kPickerStyle = 0x50010000;
const DWORD kFundsBoxStyle = 0x503118C4;    // both scroll bars, multi-line, auto scroll, read-only
const DWORD kHistoryBoxStyle = 0x50311804;  // the same without automatic scrolling

void CreateLabel(CStatic& label, CWnd* parent, UINT id, LPCTSTR text, CFont* font)
{
    label.Create(text, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), parent, id);
    label.SetFont(font);
}

void CreatePicker(CFlatDateTimeCtrl& picker, CWnd* parent, UINT id, CFont* font)
{
    picker.Create(kPickerStyle, CRect(0, 0, 10, 10), parent, id);
    picker.SetBorderColor(kFrameColour);
    picker.SetFont(font);
}

void CreateBox(CRichEditCtrlEx& box, CWnd* parent, DWORD style, CFont* font)
{
    box.Create(style | WS_BORDER, CRect(0, 0, 10, 10), parent, IDC_QUERY_TEXT);
    box.SetFrame(1, kFrameColour);
    box.SetFont(font);
    box.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void Move(CWnd& control, int x, int y, int width, int height)
{
    if (control.GetSafeHwnd() != NULL)
        control.MoveWindow(x, y, width, height);
}

}  // namespace

// ---- funds on a date

void CPageFinancialSituationDlg::CreateControls()
{
    m_font.CreatePointFont(90, "宋体");
    CreateLabel(m_label, this, IDC_QUERY_DATE_LABEL, "查询日期:", &m_font);
    CreatePicker(m_date, this, IDC_QUERY_DATE, &m_font);
    m_date.EnableWindow(FALSE);
    CreateFlatButton(m_search, IDC_QUERY_SEARCH, "查询", &m_font, kButtonBackground, 0x000000);
    CreateFlatButton(m_print, IDC_QUERY_PRINT, "打印", &m_font, kButtonBackground, 0x000000);
    CreateBox(m_box, this, kFundsBoxStyle, &m_font);
    m_textBox = &m_box;
}

void CPageFinancialSituationDlg::LayOut(int cx, int cy)
{
    Move(m_label, 5, 7, 60, 20);
    Move(m_date, 60, 5, 90, 20);
    Move(m_search, 5, 190, 80, 20);
    Move(m_print, 90, 190, 60, 20);
    Move(m_box, 155, 5, cx - 155, cy - 10);
}

void CPageFinancialSituationDlg::FillDates(QueryRequest& request)
{
    request.queryDate = PickerDate(m_date);
}

// ---- trade history between two dates

void CPageHistoryTransactionDlg::CreateControls()
{
    m_font.CreatePointFont(90, "宋体");
    CreateLabel(m_startLabel, this, IDC_QUERY_START_LABEL, "起始日期:", &m_font);
    CreatePicker(m_start, this, IDC_QUERY_START_DATE, &m_font);
    CreateLabel(m_endLabel, this, IDC_QUERY_END_LABEL, "结束日期:", &m_font);
    CreatePicker(m_end, this, IDC_QUERY_END_DATE, &m_font);
    // The history starts one day back.
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    FILETIME file;
    ::SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER ticks;
    ticks.LowPart = file.dwLowDateTime;
    ticks.HighPart = file.dwHighDateTime;
    ticks.QuadPart -= 24ULL * 60 * 60 * 10000000;
    file.dwLowDateTime = ticks.LowPart;
    file.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME yesterday;
    ::FileTimeToSystemTime(&file, &yesterday);
    m_start.SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&yesterday);
    CreateFlatButton(m_search, IDC_QUERY_SEARCH, "查询", &m_font, kButtonBackground, 0x000000);
    CreateFlatButton(m_print, IDC_QUERY_PRINT, "打印", &m_font, kButtonBackground, 0x000000);
    CreateFlatButton(m_nextPage, IDC_QUERY_NEXT_PAGE, "查询下一页", &m_font, kButtonBackground, 0x000000);
    CreateBox(m_box, this, kHistoryBoxStyle, &m_font);
    m_textBox = &m_box;
}

void CPageHistoryTransactionDlg::LayOut(int cx, int cy)
{
    Move(m_startLabel, 5, 7, 60, 20);
    Move(m_start, 60, 5, 90, 20);
    Move(m_endLabel, 5, 32, 60, 20);
    Move(m_end, 60, 30, 90, 20);
    Move(m_search, 5, 190, 80, 20);
    Move(m_print, 90, 190, 60, 20);
    Move(m_nextPage, 5, 215, 80, 20);
    Move(m_box, 155, 5, cx - 155, cy - 10);
}

void CPageHistoryTransactionDlg::FillDates(QueryRequest& request)
{
    request.startDate = PickerDate(m_start);
    request.endDate = PickerDate(m_end);
}

void CPageHistoryTransactionDlg::OnNextPageState(const std::map<int, int>& state)
{
    auto entry = state.find(0);
    if (entry == state.end() || m_nextPage.GetSafeHwnd() == NULL)
        return;
    m_nextPage.EnableWindow(entry->second != 0);
    m_nextPage.SetTextColor(entry->second != 0 ? 0x000000 : 0xC0C0C0);
}

// ---- position detail (never shown)

void CPagePositionDetailDlg::CreateControls()
{
    m_font.CreatePointFont(90, "宋体");
    m_smallFont.CreatePointFont(80, "Arial");
    CreateFlatButton(m_search, IDC_QUERY_SEARCH, "查询", &m_smallFont, 0xE4E4E4, 0x404040);
    CreateFlatButton(m_print, IDC_QUERY_PRINT, "打印", &m_smallFont, 0xE4E4E4, 0x404040);
    m_box.Create(kHistoryBoxStyle, CRect(0, 0, 10, 10), this, IDC_QUERY_TEXT);
    m_textBox = &m_box;
    m_statusRect = CRect(5, 60, 160, 180);
}

void CPagePositionDetailDlg::LayOut(int cx, int cy)
{
    Move(m_search, 5, 190, 75, 20);
    Move(m_print, 85, 190, 75, 20);
    Move(m_box, 165, 5, cx - 170, cy - 5);
}
