#include "EntrustlogDlg.h"

#include "EntrustlogResource.h"

#include <TradingMessages.h>

namespace {

// The five buttons in the order of their ids (6001 to 6005); the first three are top buttons.
const char* const kCaptions[] = {"撤单", "全部撤单", "导出", "全部", "可撤"};
const int kTopButtons = 3;

const CListFrameDlg::Column kColumns[] = {
    {"委托时间", 130}, {"名称", 100}, {"代码", 100}, {"订单类型", 100}, {"买卖", 100},
    {"委托价格", 100}, {"委手", 100}, {"成手", 100}, {"下单状态", 100}, {"手续费", 100},
    {"成交均价", 100}, {"委托号", 100}, {"订单盈亏", 100}, {"平仓数量", 100}, {"状态", 100},
};

const COLORREF kRed = 0x0000FF;
const COLORREF kGreen = 0x008000;
const COLORREF kBlack = 0x000000;
const int kSideColumn = 4;
const int kStateColumn = 8;

COLORREF StateColour(const CString& state)
{
    if (state == "已成交" || state == "已作废" || state == "强平")
        return kRed;
    if (state == "已提交")
        return kGreen;
    return kBlack;
}

}  // namespace

CEntrustlogDlg::CEntrustlogDlg()
    : CListFrameDlg(IDD_ENTRUSTLOG,
                    {WM_ORDERS_LIST, WM_ORDERS_BUTTON_STATE, WM_ORDERS_COMMAND, WM_ORDERS_ROW},
                    {"EntrustFile", "Entrust files(*.txt)|*.txt|All files(*.*)|*.*||"})
{
    for (int i = 0; i < kButtons; ++i)
        m_enable[i] = m_highlight[i] = 1;
}

void CEntrustlogDlg::CreateControls()
{
    for (int i = 0; i < kButtons; ++i) {
        if (i < kTopButtons)
            CreateTopButton(m_buttons[i], IDC_ORDERS_CANCEL + i, kCaptions[i]);
        else
            CreateSideButton(m_buttons[i], IDC_ORDERS_CANCEL + i, kCaptions[i]);
    }
    CreateList(IDC_ORDERS_LIST);
    InsertColumns(kColumns, (int)(sizeof(kColumns) / sizeof(kColumns[0])));
    ApplyButtonStates();
}

void CEntrustlogDlg::LayOut(int cx, int cy)
{
    MoveControl(m_buttons[0], 35, 5, 50, 18);
    MoveControl(m_buttons[1], 90, 5, 70, 18);
    MoveControl(m_buttons[2], cx <= 220 ? 165 : cx - 55, 5, 50, 18);
    const int sideHeight = (cy - 14) / 2;
    MoveControl(m_buttons[3], 5, 5, 25, sideHeight);
    MoveControl(m_buttons[4], 5, sideHeight + 9, 25, sideHeight);
    MoveControl(m_list, 35, 30, cx - 35, cy - 30);
}

void CEntrustlogDlg::TellRowColors(int row, std::vector<COLORREF>& colours)
{
    const int columns = (int)colours.size();
    if (columns > kSideColumn) {
        CString side = CellText(row, kSideColumn);
        colours[kSideColumn] = side == "买" ? kRed : side == "卖" ? kGreen : kBlack;
    }
    if (columns > kStateColumn)
        colours[kStateColumn] = StateColour(CellText(row, kStateColumn));
}

void CEntrustlogDlg::OnCommandButton(UINT id)
{
    switch (id) {
    case IDC_ORDERS_EXPORT:
        ExportListToText();
        break;
    case IDC_ORDERS_CANCEL_ALL:
        m_request.rows = JoinAllRows();
        SendCommand(kCaptions[1]);
        break;
    case IDC_ORDERS_CANCEL:
    case IDC_ORDERS_ALL:
    case IDC_ORDERS_CANCELLABLE:
        SendCommand(kCaptions[id - IDC_ORDERS_CANCEL]);
        break;
    default:
        break;
    }
}

void CEntrustlogDlg::OnButtonState(const ButtonState& state)
{
    for (int i = 0; i < kButtons; ++i) {
        if (state.caption == kCaptions[i]) {
            m_enable[i] = state.enable;
            m_highlight[i] = state.highlight;
        }
    }
    ApplyButtonStates();
}

void CEntrustlogDlg::ApplyButtonStates()
{
    for (int i = 0; i < kButtons; ++i) {
        if (m_buttons[i].GetSafeHwnd() == NULL)
            continue;
        m_buttons[i].EnableWindow(m_enable[i] != 0);
        if (i < kTopButtons) {
            m_buttons[i].SetTextColor(m_highlight[i] ? 0x000000 : 0xA0A0A0);
        } else {
            m_buttons[i].SetBkColor(m_highlight[i] ? 0xDCE4E4 : 0xEBF5F5);
            m_buttons[i].SetTextColor(m_highlight[i] ? 0x404040 : 0xA0A0A0);
        }
    }
}
