// The page of triggered conditional orders (`CListTriggeredDlg`): "全部删除", "导出" and an
// empty list whose first column is the trigger time. Nothing fills it; a button changes nothing.
#pragma once
#include <ListFrameDlg.h>

class CListTriggeredDlg : public CListFrameDlg
{
public:
    CListTriggeredDlg();

protected:
    void CreateControls() override;
    void LayOut(int cx, int cy) override;
    void TellRowColors(int, std::vector<COLORREF>&) override {}
    void OnCommandButton(UINT) override {}

private:
    CLayerButton m_deleteAll;
    CLayerButton m_export;
};
