#include "ListFrameDlg.h"

#include "ListExport.h"
#include "ListText.h"

namespace {

const COLORREF kWhite = 0xFFFFFF;
const COLORREF kLineColour = 0xB99D7F;
const DWORD kListStyle = 0x50800405;  // child, visible, border, report, single selection, owner-draw
const int kButtonRowHeight = 30;

}  // namespace

BEGIN_MESSAGE_MAP(CListFrameDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CListFrameDlg::CListFrameDlg(UINT templateId, const Messages& messages, const ExportNames& exportNames)
    : CDialog(templateId, NULL), m_messages(messages), m_exportNames(exportNames)
{
}

CListFrameDlg::~CListFrameDlg() {}

BOOL CListFrameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_font.CreatePointFont(90, "宋体");
    LOGFONT bold = {};
    bold.lfHeight = -12;
    bold.lfWeight = FW_BOLD;
    bold.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(bold.lfFaceName, "宋体", LF_FACESIZE);
    m_boldFont.CreateFontIndirect(&bold);
    CreateControls();
    CRect client;
    GetClientRect(&client);
    LayOut(client.Width(), client.Height());
    return TRUE;
}

void CListFrameDlg::CreateList(UINT id)
{
    m_list.Create(kListStyle, CRect(0, 0, 10, 10), this, id);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    m_list.SetBkColor(kWhite);
    m_list.SetHeaderHeight(24);
    m_list.SetHeaderTextFormat(0x25);
    m_list.SetHeaderBkColor(kWhite);
    m_list.SetHeaderLineColor(kLineColour);
    m_list.SetHeaderTextColor(0x000000);
    m_list.SetHeaderFont(&m_font);
    m_list.SetItemFont(&m_font);
    m_list.SetItemTextFormat(0x25);
    m_list.SetItemHeight(24);
    m_list.SetSelectMode(0);
    m_list.SetSelectColor(0xA0E9FC);
    m_list.SetBorderWidth(1);
    m_list.SetBorderColor(kLineColour);
}

void CListFrameDlg::InsertColumns(const Column* columns, int count)
{
    for (int i = 0; i < count; ++i)
        // Centred like the header's text format (the header follows each column's alignment).
        m_list.InsertColumn(i, columns[i].text, LVCFMT_CENTER, columns[i].width);
}

void CListFrameDlg::CreateTopButton(CLayerButton& button, UINT id, LPCTSTR caption)
{
    button.Create(caption, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, id);
    button.SetStyle(0);
    button.SetTextFormat(DT_CENTER);
    button.SetBkColor(0xEBF5F5);
    button.SetTextColor(0x000000);
    button.SetFont(&m_font);
}

void CListFrameDlg::CreateSideButton(CLayerButton& button, UINT id, LPCTSTR caption)
{
    button.Create(caption, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, id);
    button.SetStyle(0);
    button.SetTextFormat(0x15);
    button.SetBkColor(0xDCE4E4);
    button.SetTextColor(0x404040);
    button.SetFont(&m_boldFont);
}

void CListFrameDlg::MoveControl(CWnd& control, int x, int y, int width, int height)
{
    if (control.GetSafeHwnd() != NULL)
        control.MoveWindow(x, y, width, height);
}

void CListFrameDlg::SendUp(UINT message, WPARAM wParam)
{
    if (message == 0)
        return;  // a window without that request
    HWND parent = ::GetParent(m_hWnd);
    HWND grandparent = parent != NULL ? ::GetParent(parent) : NULL;
    if (grandparent != NULL)
        ::SendMessage(grandparent, message, wParam, 0);
}

void CListFrameDlg::SendCommand(const CString& caption)
{
    m_request.command = caption;
    SendUp(m_messages.command, (WPARAM)&m_request);
}

int CListFrameDlg::ColumnCount()
{
    CHeaderCtrl* header = m_list.GetHeaderCtrl();
    return header != NULL ? header->GetItemCount() : 0;
}

CString CListFrameDlg::CellText(int row, int column)
{
    return m_list.GetItemText(row, column);
}

void CListFrameDlg::UpdateRowColors(int row)
{
    if (row < 0 || row >= m_list.GetItemCount())
        return;
    std::vector<COLORREF> colours(ColumnCount(), 0x000000);
    TellRowColors(row, colours);
    m_list.SetRowColors(row, colours);
}

void CListFrameDlg::SetListRowCells(int row, const CString& text)
{
    std::vector<CString> cells = SplitText("|", text);
    for (size_t i = 0; i < cells.size(); ++i)
        m_list.SetItemText(row, (int)i, cells[i]);
    UpdateRowColors(row);
}

void CListFrameDlg::SetListRows(int row, const CString& text)
{
    std::vector<CString> rows = SplitText("\n", text);
    for (size_t i = 0; i < rows.size(); ++i) {
        std::vector<CString> cells = SplitText("|", rows[i]);
        for (size_t j = 0; j < cells.size(); ++j)
            m_list.SetItemText(row + (int)i, (int)j, cells[j]);
        UpdateRowColors(row + (int)i);
    }
}

void CListFrameDlg::OnListCommand(const ListCommand& command)
{
    if (m_list.GetSafeHwnd() == NULL)
        return;
    switch (command.op) {
    case 0:
        m_list.InsertItem(command.row, "");
        break;
    case 1:
        // The plain list-view text: these lists mark no changes.
        m_list.CListCtrl::SetItemText(command.row, command.col, command.text);
        UpdateRowColors(command.row);
        break;
    case 2:
        m_list.DeleteItem(command.row);
        break;
    case 3:
        m_list.DeleteAllItems();
        break;
    case 4:
        SetListRowCells(command.row, command.text);
        break;
    case 5:
        SetListRows(command.row, command.text);
        break;
    case 6:
        if (command.col >= 0 && command.col < ColumnCount())
            m_list.SendMessage(LVM_DELETECOLUMN, command.col, 0);
        break;
    default:
        break;
    }
}

void CListFrameDlg::OnRowSelected()
{
    m_request.command = "";
    int row = (int)m_list.SendMessage(LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED);
    if (row >= 0) {
        const int columns = ColumnCount();
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                m_request.command += "|";
            m_request.command += CellText(row, column);
        }
    }
    SendUp(m_messages.row, (WPARAM)&m_request.command);
}

void CListFrameDlg::OnCommandButton(UINT id)
{
    CWnd* button = GetDlgItem(id);
    if (button == NULL)
        return;
    CString caption;
    button->GetWindowText(caption);
    SendCommand(caption);
}

CString CListFrameDlg::JoinAllRows()
{
    CString rows;
    const int count = m_list.GetItemCount();
    const int columns = ColumnCount();
    for (int row = 0; row < count; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                rows += "|";
            rows += CellText(row, column);
        }
        rows += "\n";
    }
    return rows;
}

CString CListFrameDlg::ListToText()
{
    CString text;
    CHeaderCtrl* header = m_list.GetHeaderCtrl();
    const int columns = ColumnCount();
    for (int column = 0; column < columns; ++column) {
        char buffer[256] = "";
        HDITEM item = {};
        item.mask = HDI_TEXT;
        item.pszText = buffer;
        item.cchTextMax = sizeof(buffer);
        header->SendMessage(HDM_GETITEM, column, (LPARAM)&item);
        CString cell;
        cell.Format("%15s", buffer);
        text += cell;
    }
    text += "\n\n";
    const int count = m_list.GetItemCount();
    for (int row = 0; row < count; ++row) {
        for (int column = 0; column < columns; ++column) {
            CString cell;
            cell.Format("%15s", (LPCTSTR)CellText(row, column));
            text += cell;
        }
        text += "\n";
    }
    return text;
}

void CListFrameDlg::ExportListToText()
{
    SaveTextToFile(this, m_exportNames.stem, "txt", m_exportNames.filter, ListToText());
}

BOOL CListFrameDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0 && HIWORD(wParam) == BN_CLICKED && ::GetParent((HWND)lParam) == m_hWnd) {
        OnCommandButton(LOWORD(wParam));
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CListFrameDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (m_list.GetSafeHwnd() != NULL && header->hwndFrom == m_list.GetSafeHwnd()) {
        switch (header->code) {
        case NM_CLICK:
            OnRowSelected();
            *pResult = 0;
            return TRUE;
        case NM_DBLCLK:
            *pResult = 0;
            return TRUE;
        case LVN_ITEMCHANGED: {
            const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if (change->uNewState != 0 || (change->uOldState & LVIS_SELECTED) != 0)
                OnRowSelected();
            *pResult = 0;
            return TRUE;
        }
        default:
            break;
        }
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

LRESULT CListFrameDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_messages.list != 0 && message == m_messages.list) {
        if (wParam != 0)
            OnListCommand(*reinterpret_cast<const ListCommand*>(wParam));
        return 0;
    }
    if (m_messages.buttonState != 0 && message == m_messages.buttonState) {
        if (wParam != 0)
            OnButtonState(*reinterpret_cast<const ButtonState*>(wParam));
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CListFrameDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, kWhite);
}

BOOL CListFrameDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CListFrameDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    LayOut(cx, cy);
}

void CListFrameDlg::OnCancel()
{
    DestroyWindow();
}

void CListFrameDlg::PostNcDestroy()
{
    delete this;
}
