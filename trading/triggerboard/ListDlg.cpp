#include "ListDlg.h"

#include "TriggerboardResource.h"

namespace {

const char* const kCaptions[] = {"暂停", "修改", "删除", "立即下单", "导出"};

const CListFrameDlg::Column kColumns[] = {
    {"状态", 100}, {"条件", 100}, {"下单价格", 100}, {"下单数量", 100}, {"止损/浮动/止盈", 100},
    {"自动撤单", 100}, {"重新下单", 100}, {"有效期", 100}, {"名称", 100},
};

}  // namespace

CListDlg::CListDlg() : CListFrameDlg(IDD_TRIGGER_WAITING, {0, 0, 0, 0}, {"", ""}) {}

void CListDlg::CreateControls()
{
    for (int i = 0; i < kButtons; ++i)
        CreateTopButton(m_buttons[i], IDC_WAITING_PAUSE + i, kCaptions[i]);
    CreateList(IDC_WAITING_LIST);
    InsertColumns(kColumns, (int)(sizeof(kColumns) / sizeof(kColumns[0])));
}

void CListDlg::LayOut(int cx, int cy)
{
    MoveControl(m_buttons[0], 0, 5, 50, 18);
    MoveControl(m_buttons[1], 55, 5, 50, 18);
    MoveControl(m_buttons[2], 110, 5, 50, 18);
    MoveControl(m_buttons[3], 165, 5, 70, 18);
    MoveControl(m_buttons[4], cx < 296 ? 240 : cx - 55, 5, 50, 18);
    MoveControl(m_list, 0, 30, cx, cy - 30);
    if (m_list.GetSafeHwnd() != NULL)
        m_list.Invalidate();
}
