// Today's fills (`FillbookDlg`): ten columns with the side coloured, three radio buttons that
// choose the view (only "成交明细" is shown), "刷新" and "导出". There are no button states.
#pragma once
#include "FlatRadioButton.h"

#include <ListFrameDlg.h>

class FillbookDlg : public CListFrameDlg
{
public:
    FillbookDlg();

protected:
    void CreateControls() override;
    void LayOut(int cx, int cy) override;
    void TellRowColors(int row, std::vector<COLORREF>& colours) override;
    void OnCommandButton(UINT id) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum { kRadios = 3 };
    void OnRadioClicked(int index);

    CFlatRadioButton m_radios[kRadios];
    CLayerButton m_refresh;
    CLayerButton m_export;
};
