#include "LightningDlg.h"

#include "ConditionSetDlg.h"
#include "DialogKey.h"
#include "DialogList.h"
#include "SlipdeskMessages.h"
#include "SlipdeskResource.h"

#include <NumberText.h>

#include <cstdlib>

namespace {

const COLORREF kFieldText = 0x6D3C04;
const COLORREF kFrame = 0xB99D7F;
const COLORREF kButtonFace = 0xEBF5F5;
const char* const kMarketPrice = "市价";

void CreateBoldFont(CFont& font, int height)
{
    font.CreateFont(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "宋体");
}

}  // namespace

CLightningDlg::CLightningDlg() : CDialogEx(IDD_LIGHTNING, NULL) {}

CLightningDlg::~CLightningDlg() = default;

BEGIN_MESSAGE_MAP(CLightningDlg, CDialogEx)
    ON_MESSAGE(WM_ORDER_INSTRUMENT, &CLightningDlg::OnOrderInstrument)
    ON_MESSAGE(WM_KEYPAD_QUANTITY, &CLightningDlg::OnKeypadQuantity)
    ON_MESSAGE(WM_PRICE_KIND_PICKED, &CLightningDlg::OnPriceKindPicked)
    ON_CBN_SELCHANGE(IDC_FORM_PRICE_TYPE, &CLightningDlg::OnPriceTypeChanged)
    ON_EN_CHANGE(IDC_FORM_PRICE, &CLightningDlg::OnPriceEdited)
    ON_EN_SETFOCUS(IDC_FORM_QUANTITY, &CLightningDlg::OnQuantityFocus)
    ON_BN_CLICKED(IDC_FORM_BUY, &CLightningDlg::OnBuy)
    ON_BN_CLICKED(IDC_FORM_SELL, &CLightningDlg::OnSell)
    ON_BN_CLICKED(IDC_FORM_RESET, &CLightningDlg::OnReset)
    ON_BN_CLICKED(IDC_FORM_CONDITION, &CLightningDlg::OnCondition)
    ON_BN_CLICKED(IDC_FORM_AUTO, &CLightningDlg::OnAutoClicked)
    ON_BN_CLICKED(IDC_FORM_OPEN, &CLightningDlg::OnRadioClicked)
    ON_BN_CLICKED(IDC_FORM_CLOSE, &CLightningDlg::OnRadioClicked)
    ON_BN_CLICKED(IDC_FORM_CLOSE_TODAY, &CLightningDlg::OnRadioClicked)
    ON_NOTIFY(UDN_DELTAPOS, IDC_FORM_QUANTITY_SPIN, &CLightningDlg::OnQuantitySpin)
    ON_NOTIFY(UDN_DELTAPOS, IDC_FORM_PRICE_SPIN, &CLightningDlg::OnPriceSpin)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

void CLightningDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FORM_CONTRACT, m_contract);
    DDX_Control(pDX, IDC_FORM_PRICE_TYPE, m_priceType);
    DDX_Control(pDX, IDC_FORM_LOCK, m_lockPicture);
    DDX_Control(pDX, IDC_FORM_QUANTITY, m_quantity);
    DDX_Control(pDX, IDC_FORM_QUANTITY_SPIN, m_quantitySpin);
    DDX_Control(pDX, IDC_FORM_PRICE, m_price);
    DDX_Control(pDX, IDC_FORM_PRICE_SPIN, m_priceSpin);
    DDX_Control(pDX, IDC_FORM_UNIT, m_unit);
    DDX_Control(pDX, IDC_FORM_PRICE_STEP, m_priceStep);
    DDX_Control(pDX, IDC_FORM_QUERY_OPENABLE, m_queryOpenable);
    DDX_Control(pDX, IDC_FORM_RESET, m_reset);
    DDX_Control(pDX, IDC_FORM_CONDITION, m_condition);
    DDX_Control(pDX, IDC_FORM_BUY, m_buy);
    DDX_Control(pDX, IDC_FORM_SELL, m_sell);
}

BOOL CLightningDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_smallFont.CreatePointFont(90, "宋体");
    m_hintFont.CreatePointFont(110, "宋体");
    CreateBoldFont(m_editFont, 16);
    CreateBoldFont(m_upperFont, 17);
    CreateBoldFont(m_lowerFont, 26);

    for (const char* type : {kMarketPrice, "限价", "条件止损价"})
        m_priceType.AddString(type);
    m_priceType.SetCurSel(0);

    m_lockPicture.SetBitmap(IDB_LOCK_OPEN, 0xFFFF00);
    m_lockPicture.ShowWindow(SW_HIDE);

    SetUpEdits();
    m_keypad = std::make_unique<DialogKey>(this);
    m_keypad->Create(IDD_QUANTITY_KEYPAD, this);
    m_keypad->ShowWindow(SW_HIDE);
    m_priceKinds = std::make_unique<DialogList>(this);
    m_priceKinds->Create(IDD_PRICE_KIND_LIST, this);
    m_priceKinds->ShowWindow(SW_HIDE);
    SetUpButtons();
    SetUpCombos();

    const int spinImages[][2] = {{0, IDP_SPIN_NORMAL},       {1, IDP_SPIN_NORMAL},
                                 {2, IDP_SPIN_UPPER_HOVER},  {3, IDP_SPIN_LOWER_HOVER},
                                 {4, IDP_SPIN_UPPER_PRESSED}, {5, IDP_SPIN_LOWER_PRESSED}};
    for (const auto& image : spinImages) {
        m_quantitySpin.SetStateImagePng(image[0], image[1]);
        m_priceSpin.SetStateImagePng(image[0], image[1]);
    }

    CRect spin;
    m_quantitySpin.GetWindowRect(&spin);
    ScreenToClient(&spin);
    m_hintRect = spin;
    m_hintRect.left = spin.right + 10;
    m_hintRect.right = spin.right + 110;

    RefreshForm();
    return TRUE;
}

void CLightningDlg::SetUpEdits()
{
    struct Setup { entry::CEditCustom* edit; const char* text; bool numeric; bool enabled; };
    const Setup setups[] = {{&m_quantity, "1", true, true},
                            {&m_price, "100", true, true},
                            {&m_priceStep, "100", false, false},
                            {&m_unit, "1", false, false}};
    for (const Setup& setup : setups) {
        entry::CEditCustom& edit = *setup.edit;
        edit.SetTextColor(kFieldText);
        edit.SetFont(&m_editFont);
        if (setup.numeric) {
            edit.AddOnceChar('.');
            edit.AddValidChars("0123456789");
        }
        edit.m_freeDecimals = 0;
        edit.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
        edit.SetBorderColor(kFrame);
        edit.SetWindowText(setup.text);
        edit.EnableWindow(setup.enabled);
    }
}

void CLightningDlg::SetUpButtons()
{
    for (CLayerButton* button : {&m_queryOpenable, &m_reset, &m_condition}) {
        button->SetStyle(0);
        button->SetBkColor(kButtonFace);
        button->SetTextColor(0);
        button->SetTextFormat(1);
        button->SetFont(&m_smallFont);
        button->ShowWindow(SW_HIDE);
    }
    struct TwoPart { CLayerButton* button; COLORREF colour; const char* lower; };
    for (const TwoPart& part : {TwoPart{&m_buy, 0x0909BD, "买入"}, TwoPart{&m_sell, 0x028A08, "卖出"}}) {
        part.button->SetStyle(1);
        part.button->m_upperTextColor = part.colour;
        part.button->m_lowerTextColor = part.colour;
        part.button->m_upperFont = &m_upperFont;
        part.button->m_lowerFont = &m_lowerFont;
        part.button->m_upperText = "--";
        part.button->m_lowerText = part.lower;
    }
}

void CLightningDlg::SetUpCombos()
{
    struct Combo { CFlatComboBox* combo; int weight; };
    for (const Combo& c : {Combo{&m_contract, 700}, Combo{&m_priceType, 400}}) {
        c.combo->SetItemHeight(-1, 16);
        c.combo->SetItemHeight(0, 16);
        c.combo->SetFont(12, 0, c.weight, "宋体");
        c.combo->SetImages(IDP_ARROW_NORMAL, IDP_ARROW_HOVER, IDP_ARROW_DROPPED, IDP_ARROW_NORMAL);
        c.combo->SetColors(0xFBCFB7, 0xFDEFDD, 0xF4A58A, 0xC0C0C0);
        c.combo->SetTextColor(kFieldText);
    }
}

CString CLightningDlg::SelectedPriceType() const
{
    CString text;
    int selected = m_priceType.GetCurSel();
    if (selected >= 0)
        m_priceType.GetLBText(selected, text);
    return text;
}

void CLightningDlg::RefreshForm()
{
    CString shown;
    int selected = m_contract.GetCurSel();
    if (selected >= 0)
        m_contract.GetLBText(selected, shown);
    if (shown != m_ticket.name) {
        m_contract.ResetContent();
        m_contract.InsertString(0, m_ticket.name);
        m_contract.SetCurSel(0);
    }
    bool market = SelectedPriceType() == kMarketPrice;
    m_price.EnableWindow(!market);
    m_priceSpin.EnableWindow(!market);
    m_priceSpin.SetEnabledLook(!market);
    CString upper = market ? CString("--") : m_ticket.price;
    if (m_buy.m_upperText != upper || m_sell.m_upperText != upper) {
        m_buy.m_upperText = upper;
        m_sell.m_upperText = upper;
        m_buy.Invalidate();
        m_sell.Invalidate();
    }
}

void CLightningDlg::ShowUnitRows(bool show)
{
    for (UINT id : {IDC_FORM_STEP_LABEL, IDC_FORM_UNIT_LABEL, IDC_FORM_PRICE_STEP, IDC_FORM_UNIT})
        GetDlgItem(id)->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

LRESULT CLightningDlg::OnOrderInstrument(WPARAM wParam, LPARAM)
{
    const InstrumentInfo* info = reinterpret_cast<const InstrumentInfo*>(wParam);
    if (info == nullptr)
        return 0;
    m_ticket.code = info->strCode;
    m_ticket.name = info->strName;
    m_ticket.value9 = info->nQuantityDecimals;
    m_ticket.priceDecimals = info->nPriceDecimals;
    m_ticket.priceStep = info->strPriceStep;
    m_quantity.m_decimalPlaces = info->nQuantityDecimals;
    m_price.m_decimalPlaces = info->nPriceDecimals;
    m_ticket.sharesPerUnit = info->strQuantityStep;
    m_ticket.text8 = info->strUnitText;

    m_priceStep.SetWindowText(m_ticket.priceStep);
    m_unit.SetWindowText(atof(m_ticket.sharesPerUnit) != 0 ? m_ticket.sharesPerUnit : CString());
    m_showUnitRows = info->nShowLot;
    ShowUnitRows(info->nShowLot != 0);

    if (info->bHasPrice) {
        // A limit price the user typed survives updates of the same instrument.
        if (SelectedPriceType() == kMarketPrice || info->strCode != m_shownCode) {
            m_ticket.price = info->strPrice;
            m_ticket.text11 = info->strBid1Price;
            m_ticket.text12 = info->strAsk1Price;
            m_price.SetWindowText(m_ticket.price);
        }
        m_latestPrice = info->strPrice;
    }
    m_shownCode = info->strCode;
    if (info->bSetQuantity) {
        m_ticket.defaultQuantity = info->strDefaultQuantity;
        m_quantity.SetWindowText(m_ticket.defaultQuantity);
    }
    RefreshForm();
    InvalidateRect(m_hintRect);
    return 0;
}

void CLightningDlg::OnPriceTypeChanged()
{
    if (SelectedPriceType() == kMarketPrice) {
        m_price.m_decimalPlaces = m_ticket.priceDecimals;
        m_ticket.price = m_latestPrice;
        m_price.SetWindowText(m_ticket.price);
    }
    RefreshForm();
}

void CLightningDlg::OnPriceEdited()
{
    if (!::IsWindow(m_buy.GetSafeHwnd()))
        return;
    m_price.GetWindowText(m_ticket.price);
    RefreshForm();
}

void CLightningDlg::SendTicket(const CLayerButton& button)
{
    m_ticket.direction = button.m_lowerText;
    m_ticket.priceType = SelectedPriceType();
    m_quantity.GetWindowText(m_ticket.quantity);
    m_price.GetWindowText(m_ticket.price);
    // Form, tab strip, order window, container: the host is the fourth window up.
    CWnd* host = this;
    for (int level = 0; level < 4 && host != nullptr; ++level)
        host = host->GetParent();
    if (host != nullptr)
        host->SendMessage(WM_ORDER_REQUEST, (WPARAM)&m_ticket);
}

void CLightningDlg::OnBuy()
{
    SendTicket(m_buy);
}

void CLightningDlg::OnSell()
{
    SendTicket(m_sell);
}

void CLightningDlg::StepEdit(entry::CEditCustom& edit, int decimals, const CString& step, int delta)
{
    if (decimals < 0)
        return;
    CString text;
    edit.GetWindowText(text);
    CString stepped = entry::StepValue(decimals, delta < 0, step, text);
    if (stepped == text)
        return;
    edit.SetWindowText(stepped);
    edit.SetSel(stepped.GetLength(), stepped.GetLength());
}

void CLightningDlg::OnQuantitySpin(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepEdit(m_quantity, m_ticket.value9, m_ticket.sharesPerUnit, reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta);
    *pResult = 0;
}

void CLightningDlg::OnPriceSpin(NMHDR* pNMHDR, LRESULT* pResult)
{
    StepEdit(m_price, m_ticket.priceDecimals, m_ticket.priceStep, reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta);
    *pResult = 0;
}

void CLightningDlg::OnReset()
{
    m_radioIndex = 0;
    CheckRadioButton(IDC_FORM_OPEN, IDC_FORM_CLOSE_TODAY, IDC_FORM_OPEN);
    m_quantity.SetWindowText("1");
    // The price edit holds digits only: a kind's name written into it would only empty it.
    ShowLatestPrice();
    m_priceKinds->m_selectedRow = 0;
}

void CLightningDlg::OnCondition()
{
    CWnd* owner = this;
    for (int level = 0; level < 3 && owner != nullptr; ++level)
        owner = owner->GetParent();
    CConditionSetDlg dialog(owner);
    dialog.DoModal();
}

void CLightningDlg::OnAutoClicked()
{
    BOOL automatic = IsDlgButtonChecked(IDC_FORM_AUTO) == BST_CHECKED;
    for (UINT id : {IDC_FORM_OPEN, IDC_FORM_CLOSE, IDC_FORM_CLOSE_TODAY})
        GetDlgItem(id)->EnableWindow(!automatic);
}

void CLightningDlg::OnRadioClicked()
{
    const UINT ids[] = {IDC_FORM_OPEN, IDC_FORM_CLOSE, IDC_FORM_CLOSE_TODAY};
    for (int i = 0; i < 3; ++i)
        if (IsDlgButtonChecked(ids[i]) == BST_CHECKED)
            m_radioIndex = i;
}

void CLightningDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    GetDlgItem(IDC_FORM_CONTRACT_LABEL)->SetFocus();
    CRect lock;
    m_lockPicture.GetWindowRect(&lock);
    ScreenToClient(&lock);
    if (m_lockPicture.IsWindowVisible() && lock.PtInRect(point)) {
        m_lock = !m_lock;
        m_lockPicture.SetBitmap(m_lock ? IDB_LOCK_CLOSED : IDB_LOCK_OPEN, 0xFFFF00);
    }
    CDialogEx::OnLButtonDown(nFlags, point);
}

void CLightningDlg::OnMouseMove(UINT nFlags, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    auto inside = [&screen](CWnd& wnd) {
        CRect rect;
        wnd.GetWindowRect(&rect);
        return rect.PtInRect(screen) != FALSE;
    };
    if (m_keypad->IsWindowVisible() && !inside(*m_keypad) && !inside(m_quantity))
        m_keypad->ShowWindow(SW_HIDE);
    if (m_priceKinds->IsWindowVisible() && !inside(*m_priceKinds) && !inside(m_price))
        m_priceKinds->ShowWindow(SW_HIDE);
    CDialogEx::OnMouseMove(nFlags, point);
}

void CLightningDlg::OnQuantityFocus()
{
    // The keypad drops down under the quantity field, leaving the focus in the field so the
    // user may still type; moving the pointer away hides it again.
    if (!::IsWindow(m_keypad->GetSafeHwnd()) || m_keypad->IsWindowVisible())
        return;
    CRect field;
    m_quantity.GetWindowRect(&field);
    m_keypad->SetWindowPos(&CWnd::wndTop, field.left, field.bottom, 0, 0,
                           SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

LRESULT CLightningDlg::OnKeypadQuantity(WPARAM wParam, LPARAM)
{
    CString text;
    text.Format("%d", (int)wParam);
    m_quantity.SetWindowText(text);
    // The focus goes back to the field while the keypad still stands, so its closing does not
    // hand the focus back to the field and open it again.
    m_quantity.SetFocus();
    return 0;
}

void CLightningDlg::ShowLatestPrice()
{
    if (m_latestPrice.IsEmpty())
        return;
    m_ticket.price = m_latestPrice;
    m_price.SetWindowText(m_ticket.price);
}

// The price edit holds digits only, so a kind's name is never written into it (it would
// empty the price the user set). "市价" is the price type of that name; the other kinds leave
// the price as it stands.
LRESULT CLightningDlg::OnPriceKindPicked(WPARAM wParam, LPARAM)
{
    const CString* kind = reinterpret_cast<const CString*>(wParam);
    if (kind == nullptr || *kind != kMarketPrice)
        return 0;
    const int market = m_priceType.FindStringExact(-1, kMarketPrice);
    if (market >= 0 && m_priceType.GetCurSel() != market) {
        m_priceType.SetCurSel(market);
        OnPriceTypeChanged();
    }
    return 0;
}

BOOL CLightningDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CLightningDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap picture;
    picture.CreateCompatibleBitmap(&dc, client.Width(), client.Height());
    CBitmap* oldBitmap = memory.SelectObject(&picture);
    memory.FillSolidRect(client, 0xFFFFFF);
    CFont* oldFont = memory.SelectObject(&m_hintFont);
    memory.SetBkMode(TRANSPARENT);
    memory.SetTextColor(0x0000FF);
    CRect hint = m_hintRect;
    memory.DrawText(m_ticket.text8, hint, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    memory.SelectObject(oldFont);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(oldBitmap);
}

HBRUSH CLightningDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    UINT id = pWnd->GetDlgCtrlID();
    if (id == IDC_FORM_CONTRACT || id == IDC_FORM_PRICE_TYPE) {
        pDC->SetTextColor(kFieldText);
        return (HBRUSH)::GetStockObject(NULL_BRUSH);
    }
    switch (id) {
    case IDC_FORM_CONTRACT_LABEL: case IDC_FORM_UNIT_LABEL: case IDC_FORM_STEP_LABEL:
    case IDC_FORM_QUANTITY_LABEL: case IDC_FORM_PRICE_LABEL: case IDC_FORM_PRICE_TYPE_LABEL:
        pDC->SetBkMode(TRANSPARENT);
        return (HBRUSH)::GetStockObject(NULL_BRUSH);
    default:
        return CDialogEx::OnCtlColor(pDC, pWnd, nCtlColor);
    }
}
