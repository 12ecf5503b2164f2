// The order form: shows the instrument the host pushed down, lets the user set quantity,
// price kind and price, and sends its ticket up on "买入" or "卖出". It validates nothing;
// the main window checks every order.
#pragma once
#include <afxcmn.h>
#include <afxdialogex.h>

#include <EntryEditCustom.h>
#include <FlatComboBox.h>
#include <LayerButton.h>
#include <SpinButtonCtrlEx.h>
#include <TranPic.h>
#include <TradingRecords.h>

#include <memory>

class DialogKey;
class DialogList;

class CLightningDlg : public CDialogEx
{
public:
    CLightningDlg();
    ~CLightningDlg() override;

    const OrderTicket& GetTicket() const { return m_ticket; }
    DialogKey* GetKeypad() const { return m_keypad.get(); }
    DialogList* GetPriceKinds() const { return m_priceKinds.get(); }
    int GetLock() const { return m_lock; }
    const CRect& GetHintRect() const { return m_hintRect; }

    // The form's hidden controls, available to a host that chooses to show them.
    afx_msg void OnReset();
    afx_msg void OnCondition();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg LRESULT OnOrderInstrument(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnKeypadQuantity(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPriceKindPicked(WPARAM wParam, LPARAM lParam);
    // The price edit shows the latest price of the instrument (when one has come).
    void ShowLatestPrice();
    afx_msg void OnPriceTypeChanged();
    afx_msg void OnPriceEdited();
    afx_msg void OnQuantityFocus();
    afx_msg void OnBuy();
    afx_msg void OnSell();
    afx_msg void OnQuantitySpin(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnPriceSpin(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAutoClicked();
    afx_msg void OnRadioClicked();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    void SetUpEdits();
    void SetUpButtons();
    void SetUpCombos();
    void RefreshForm();
    CString SelectedPriceType() const;
    void SendTicket(const CLayerButton& button);
    void StepEdit(entry::CEditCustom& edit, int decimals, const CString& step, int delta);
    void ShowUnitRows(bool show);

    OrderTicket m_ticket;
    // The instrument shown last, keyed by its code: two instruments may share a name.
    CString m_shownCode;
    CString m_latestPrice;
    int m_lock = 0;
    int m_showUnitRows = 0;
    int m_radioIndex = 0;
    CRect m_hintRect;

    CFont m_smallFont, m_hintFont, m_editFont, m_upperFont, m_lowerFont;
    CFlatComboBox m_contract;
    CFlatComboBox m_priceType;
    entry::TranPic m_lockPicture;
    entry::CEditCustom m_quantity, m_price, m_unit, m_priceStep;
    entry::CSpinButtonCtrlEx m_quantitySpin, m_priceSpin;
    CLayerButton m_queryOpenable, m_reset, m_condition, m_buy, m_sell;
    std::unique_ptr<DialogKey> m_keypad;
    std::unique_ptr<DialogList> m_priceKinds;
};
