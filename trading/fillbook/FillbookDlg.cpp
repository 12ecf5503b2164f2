#include "FillbookDlg.h"

#include "FillbookResource.h"

#include <TradingMessages.h>

namespace {

const char* const kRadioCaptions[] = {"成交明细", "按委托汇总", "按合约汇总"};

const CListFrameDlg::Column kColumns[] = {
    {"成交时间", 130}, {"名称", 100}, {"代码", 100}, {"买卖", 100}, {"成交均价", 100},
    {"手数", 100}, {"委托号", 100}, {"订单盈亏", 100}, {"平仓数量", 100}, {"状态", 100},
};

const int kSideColumn = 3;
const DWORD kRadioStyle = 0x50030009;  // child, visible, group, tab stop, automatic radio

}  // namespace

FillbookDlg::FillbookDlg()
    : CListFrameDlg(IDD_FILLBOOK, {WM_FILLS_LIST, 0, WM_FILLS_COMMAND, WM_FILLS_ROW},
                    {"DealFile", "Deal files(*.txt)|*.txt|All files(*.*)|*.*||"})
{
}

void FillbookDlg::CreateControls()
{
    for (int i = 0; i < kRadios; ++i) {
        m_radios[i].Create(kRadioCaptions[i], kRadioStyle, CRect(0, 0, 10, 10), this, IDC_FILLS_DETAIL + i);
        m_radios[i].SendMessage(WM_SETFONT, (WPARAM)m_font.GetSafeHandle(), TRUE);
        m_radios[i].LoadImages(IDP_RADIO_CHECKED_NORMAL, IDP_RADIO_CHECKED_HOVER, IDP_RADIO_CHECKED_PRESSED,
                               IDP_RADIO_UNCHECKED_NORMAL, IDP_RADIO_UNCHECKED_HOVER, IDP_RADIO_UNCHECKED_PRESSED);
    }
    m_radios[0].SetChecked(true);
    m_radios[1].ShowWindow(SW_HIDE);
    m_radios[2].ShowWindow(SW_HIDE);
    CreateTopButton(m_refresh, IDC_FILLS_REFRESH, "刷新");
    CreateTopButton(m_export, IDC_FILLS_EXPORT, "导出");
    CreateList(IDC_FILLS_LIST);
    InsertColumns(kColumns, (int)(sizeof(kColumns) / sizeof(kColumns[0])));
}

void FillbookDlg::LayOut(int cx, int cy)
{
    MoveControl(m_radios[0], 0, 5, 85, 18);
    MoveControl(m_radios[1], 85, 5, 95, 18);
    MoveControl(m_radios[2], 180, 5, 95, 18);
    MoveControl(m_refresh, 85, 5, 50, 18);
    MoveControl(m_export, cx <= 390 ? 335 : cx - 55, 5, 50, 18);
    MoveControl(m_list, 0, 30, cx, cy - 30);
}

void FillbookDlg::TellRowColors(int row, std::vector<COLORREF>& colours)
{
    if ((int)colours.size() > kSideColumn) {
        CString side = CellText(row, kSideColumn);
        colours[kSideColumn] = side == "买" ? 0x0000FF : side == "卖" ? 0x008000 : 0x000000;
    }
}

void FillbookDlg::OnCommandButton(UINT id)
{
    if (id == IDC_FILLS_EXPORT)
        ExportListToText();
    else if (id >= IDC_FILLS_DETAIL && id < IDC_FILLS_DETAIL + kRadios)
        OnRadioClicked((int)(id - IDC_FILLS_DETAIL));
    else if (id == IDC_FILLS_REFRESH)
        SendCommand("刷新");
}

void FillbookDlg::OnRadioClicked(int index)
{
    for (int i = 0; i < kRadios; ++i) {
        m_radios[i].SetChecked(i == index);
        m_radios[i].Invalidate(FALSE);
    }
    SendCommand(kRadioCaptions[index]);
}

LRESULT FillbookDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CTLCOLORBTN || message == WM_CTLCOLORSTATIC) {
        const int id = ::GetDlgCtrlID((HWND)lParam);
        if (id >= IDC_FILLS_DETAIL && id < IDC_FILLS_DETAIL + kRadios) {
            ::SetBkMode((HDC)wParam, TRANSPARENT);
            return (LRESULT)::GetStockObject(HOLLOW_BRUSH);
        }
    }
    return CListFrameDlg::WindowProc(message, wParam, lParam);
}
