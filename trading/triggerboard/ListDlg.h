// The page of waiting conditional orders (`CListDlg`): its buttons and an empty list. It
// uses the list windows' frame for the list's look but has no messages: nothing fills it and
// a button changes nothing.
#pragma once
#include <ListFrameDlg.h>

class CListDlg : public CListFrameDlg
{
public:
    CListDlg();

protected:
    void CreateControls() override;
    void LayOut(int cx, int cy) override;
    void TellRowColors(int, std::vector<COLORREF>&) override {}
    void OnCommandButton(UINT) override {}

private:
    enum { kButtons = 5 };
    CLayerButton m_buttons[kButtons];
};
