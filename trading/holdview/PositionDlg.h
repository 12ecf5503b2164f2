// The positions (`CPositionDlg`): seven columns, the direction and the floating profit
// coloured, top buttons "平仓", "全部平仓", "导出" and one tall side button "持仓" that the trade
// dialog switches.
#pragma once
#include <ListFrameDlg.h>

class CPositionDlg : public CListFrameDlg
{
public:
    CPositionDlg();

protected:
    void CreateControls() override;
    void LayOut(int cx, int cy) override;
    void TellRowColors(int row, std::vector<COLORREF>& colours) override;
    void OnCommandButton(UINT id) override;
    void OnButtonState(const ButtonState& state) override;

private:
    void ApplyQueryButtonState();

    CLayerButton m_close;
    CLayerButton m_closeAll;
    CLayerButton m_export;
    CLayerButton m_query;
    int m_queryEnable = 1;
    int m_queryHighlight = 1;
};
