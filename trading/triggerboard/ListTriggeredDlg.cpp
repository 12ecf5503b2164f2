#include "ListTriggeredDlg.h"

#include "TriggerboardResource.h"

namespace {

const CListFrameDlg::Column kColumns[] = {
    {"触发时间", 130}, {"条件", 100}, {"下单价格", 100}, {"下单数量", 100}, {"止损/浮动/止盈", 100},
    {"自动撤单", 100}, {"重新下单", 100}, {"触发方式", 100}, {"名称", 100},
};

}  // namespace

CListTriggeredDlg::CListTriggeredDlg() : CListFrameDlg(IDD_TRIGGER_TRIGGERED, {0, 0, 0, 0}, {"", ""}) {}

void CListTriggeredDlg::CreateControls()
{
    CreateTopButton(m_deleteAll, IDC_TRIGGERED_DELETE_ALL, "全部删除");
    CreateTopButton(m_export, IDC_TRIGGERED_EXPORT, "导出");
    CreateList(IDC_TRIGGERED_LIST);
    InsertColumns(kColumns, (int)(sizeof(kColumns) / sizeof(kColumns[0])));
}

void CListTriggeredDlg::LayOut(int cx, int cy)
{
    MoveControl(m_deleteAll, 0, 5, 70, 18);
    MoveControl(m_export, cx <= 130 ? 75 : cx - 55, 5, 50, 18);
    MoveControl(m_list, 0, 30, cx, cy - 30);
    if (m_list.GetSafeHwnd() != NULL)
        m_list.Invalidate();
}
