// Today's orders (`CEntrustlogDlg`): fifteen columns, the order side and state coloured,
// top buttons "撤单", "全部撤单", "导出" and the side buttons "全部" and "可撤", each of the five
// switched by the trade dialog.
#pragma once
#include <ListFrameDlg.h>

class CEntrustlogDlg : public CListFrameDlg
{
public:
    CEntrustlogDlg();

protected:
    void CreateControls() override;
    void LayOut(int cx, int cy) override;
    void TellRowColors(int row, std::vector<COLORREF>& colours) override;
    void OnCommandButton(UINT id) override;
    void OnButtonState(const ButtonState& state) override;

private:
    enum { kButtons = 5 };
    void ApplyButtonStates();

    CLayerButton m_buttons[kButtons];
    int m_enable[kButtons];
    int m_highlight[kButtons];
};
