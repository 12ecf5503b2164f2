#include "PositionDlg.h"

#include "HoldviewResource.h"

#include <TradingMessages.h>

#include <cstdlib>

namespace {

const char kQueryCaption[] = "持仓";

const CListFrameDlg::Column kColumns[] = {
    {"名称", 100}, {"代码", 100}, {"方向", 100}, {"持仓", 100},
    {"持仓成本", 100}, {"浮动盈亏", 100}, {"货币", 100},
};

const COLORREF kRed = 0x0000FF;
const COLORREF kGreen = 0x008000;
const COLORREF kBlack = 0x000000;
const int kDirectionColumn = 2;
const int kProfitColumn = 5;

}  // namespace

CPositionDlg::CPositionDlg()
    : CListFrameDlg(IDD_POSITIONS,
                    {WM_POSITIONS_LIST, WM_POSITIONS_BUTTON_STATE, WM_POSITIONS_COMMAND, WM_POSITIONS_ROW},
                    {"PositionFile", "Position files(*.txt)|*.txt|All files(*.*)|*.*||"})
{
}

void CPositionDlg::CreateControls()
{
    CreateTopButton(m_close, IDC_POSITIONS_CLOSE, "平仓");
    CreateTopButton(m_closeAll, IDC_POSITIONS_CLOSE_ALL, "全部平仓");
    CreateTopButton(m_export, IDC_POSITIONS_EXPORT, "导出");
    CreateSideButton(m_query, IDC_POSITIONS_QUERY, kQueryCaption);
    CreateList(IDC_POSITIONS_LIST);
    InsertColumns(kColumns, (int)(sizeof(kColumns) / sizeof(kColumns[0])));
    ApplyQueryButtonState();
}

void CPositionDlg::LayOut(int cx, int cy)
{
    MoveControl(m_close, 35, 5, 50, 18);
    MoveControl(m_closeAll, 90, 5, 70, 18);
    MoveControl(m_export, cx <= 220 ? 165 : cx - 55, 5, 50, 18);
    MoveControl(m_query, 5, 5, 25, cy - 10);
    MoveControl(m_list, 35, 30, cx - 35, cy - 30);
}

void CPositionDlg::TellRowColors(int row, std::vector<COLORREF>& colours)
{
    const int columns = (int)colours.size();
    if (columns > kDirectionColumn) {
        CString direction = CellText(row, kDirectionColumn);
        colours[kDirectionColumn] = direction == "买" ? kRed : direction == "卖" ? kGreen : kBlack;
    }
    // A loss is green; no profit at all (or no figure) counts with the gains.
    if (columns > kProfitColumn)
        colours[kProfitColumn] = atof(CellText(row, kProfitColumn)) >= 0 ? kRed : kGreen;
}

void CPositionDlg::OnCommandButton(UINT id)
{
    if (id == IDC_POSITIONS_EXPORT)
        ExportListToText();
    else
        CListFrameDlg::OnCommandButton(id);
}

void CPositionDlg::OnButtonState(const ButtonState& state)
{
    if (state.caption == kQueryCaption) {
        m_queryEnable = state.enable;
        m_queryHighlight = state.highlight;
    }
    ApplyQueryButtonState();
}

void CPositionDlg::ApplyQueryButtonState()
{
    if (m_query.GetSafeHwnd() == NULL)
        return;
    m_query.EnableWindow(m_queryEnable != 0);
    m_query.SetTextColor(m_queryHighlight ? 0x404040 : 0xC0C0C0);
}
