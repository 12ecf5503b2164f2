#include "PassWordDlg.h"

#include "KeyguardResource.h"

namespace {

const COLORREF kFrame = 0xB99D7F;

struct Placement { UINT id; int x, y, width; };
const Placement kPlacements[] = {
    {IDC_PWD_TYPE_LABEL, 10, 13, 100},    {IDC_PWD_TYPE, 115, 10, 150},
    {IDC_PWD_CURRENT_LABEL, 10, 38, 100}, {IDC_PWD_CURRENT, 115, 35, 150}, {IDC_PWD_CURRENT_KEYPAD, 270, 35, 50},
    {IDC_PWD_NEW_LABEL, 10, 63, 100},     {IDC_PWD_NEW, 115, 60, 150},     {IDC_PWD_NEW_KEYPAD, 270, 60, 50},
    {IDC_PWD_AGAIN_LABEL, 10, 88, 100},   {IDC_PWD_AGAIN, 115, 85, 150},   {IDC_PWD_AGAIN_KEYPAD, 270, 85, 50},
    {IDC_PWD_MODIFY, 195, 110, 70},
};

}  // namespace

CPassWordDlg::CPassWordDlg() : CDialogEx(IDD_PASSWORD, NULL) {}

CPassWordDlg::~CPassWordDlg() = default;

BEGIN_MESSAGE_MAP(CPassWordDlg, CDialogEx)
    ON_MESSAGE(WM_PASSWORD_STATUS, &CPassWordDlg::OnPasswordStatus)
    ON_MESSAGE(WM_KEYPAD_KEY, &CPassWordDlg::OnKeypadKey)
    ON_BN_CLICKED(IDC_PWD_MODIFY, &CPassWordDlg::OnModify)
    ON_COMMAND_RANGE(IDC_PWD_CURRENT_KEYPAD, IDC_PWD_AGAIN_KEYPAD, &CPassWordDlg::OnKeyboardButton)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CString CPassWordDlg::AllowedCharacters()
{
    CString allowed = "!@#$%^&*().~/{}|'\"?<>,`+-=_[]:;";
    for (char c = 'a'; c <= 'z'; ++c)
        allowed += c;
    for (char c = 'A'; c <= 'Z'; ++c)
        allowed += c;
    for (char c = '0'; c <= '9'; ++c)
        allowed += c;
    return allowed;
}

void CPassWordDlg::PostNcDestroy()
{
    CDialogEx::PostNcDestroy();
    delete this;
}

void CPassWordDlg::OnCancel()
{
    DestroyWindow();
}

void CPassWordDlg::CreateLabel(CStatic& label, const char* text, UINT id)
{
    label.Create(text, WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(0, 0, 100, 20), this, id);
    label.SetFont(&m_font);
}

void CPassWordDlg::CreateEdit(entry::CEditCustom& edit, UINT id)
{
    edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_PASSWORD, CRect(0, 0, 150, 20), this, id);
    edit.SetFont(&m_font);
    edit.SetPasswordChar('*');
    edit.SetLimitText(20);
    edit.m_freeDecimals = 1;
    edit.AddValidChars(AllowedCharacters());
    edit.AddValidChar('\b');
    edit.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
    edit.SetBorderColor(kFrame);
}

void CPassWordDlg::CreateButton(CLayerButton& button, const char* text, UINT id, bool visible)
{
    button.Create(text, WS_CHILD | WS_TABSTOP | BS_OWNERDRAW | (visible ? WS_VISIBLE : 0), CRect(0, 0, 50, 20), this, id);
    button.SetStyle(0);
    button.SetBkColor(0xEBF5F5);
    button.SetTextColor(0);
    button.SetTextFormat(1);
    button.SetFont(&m_font);
}

BOOL CPassWordDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_font.CreatePointFont(90, "宋体");
    CreateLabel(m_typeLabel, "密码类型:", IDC_PWD_TYPE_LABEL);
    m_typeLabel.ShowWindow(SW_HIDE);
    m_type.Create(WS_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(0, 0, 150, 100), this, IDC_PWD_TYPE);
    m_type.SetFont(&m_font);
    m_type.AddString("交易密码");
    m_type.AddString("资金密码");
    m_type.SetCurSel(0);

    CreateLabel(m_currentLabel, "当前密码:", IDC_PWD_CURRENT_LABEL);
    CreateEdit(m_current, IDC_PWD_CURRENT);
    CreateButton(m_currentKeys, "软键盘", IDC_PWD_CURRENT_KEYPAD, false);
    CreateLabel(m_newLabel, "新密码:", IDC_PWD_NEW_LABEL);
    CreateEdit(m_new, IDC_PWD_NEW);
    CreateButton(m_newKeys, "软键盘", IDC_PWD_NEW_KEYPAD, false);
    CreateLabel(m_againLabel, "再次输入新密码:", IDC_PWD_AGAIN_LABEL);
    CreateEdit(m_again, IDC_PWD_AGAIN);
    CreateButton(m_againKeys, "软键盘", IDC_PWD_AGAIN_KEYPAD, false);
    CreateButton(m_modify, "修改", IDC_PWD_MODIFY, true);

    m_keypad.Create(IDD_PASSWORD_KEYPAD, this);
    m_keypad.ShuffleKeys();
    m_keypad.ShowWindow(SW_HIDE);

    CRect client;
    GetClientRect(&client);
    Layout(client.Width(), client.Height());
    return TRUE;
}

void CPassWordDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    Layout(cx, cy);
}

void CPassWordDlg::Layout(int cx, int cy)
{
    for (const Placement& place : kPlacements) {
        CWnd* control = GetDlgItem(place.id);
        if (control != nullptr)
            control->MoveWindow(place.x, place.y, place.width, 20);
    }
    m_statusRect.SetRect(10, 150, cx, cy);
    Invalidate();
}

void CPassWordDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, 0xFFFFFF);
    CBrush frame(0xA0A0A0);
    dc.FrameRect(client, &frame);
    CFont* oldFont = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_status.colour);
    CRect status = m_statusRect;
    dc.DrawText(m_status.text, status, DT_WORDBREAK);
    dc.SelectObject(oldFont);
}

HBRUSH CPassWordDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    switch (pWnd->GetDlgCtrlID()) {
    case IDC_PWD_TYPE_LABEL: case IDC_PWD_CURRENT_LABEL: case IDC_PWD_NEW_LABEL: case IDC_PWD_AGAIN_LABEL:
        pDC->SetBkMode(TRANSPARENT);
        return (HBRUSH)::GetStockObject(NULL_BRUSH);
    default:
        return CDialogEx::OnCtlColor(pDC, pWnd, nCtlColor);
    }
}

LRESULT CPassWordDlg::OnPasswordStatus(WPARAM wParam, LPARAM)
{
    const StatusLine* line = reinterpret_cast<const StatusLine*>(wParam);
    if (line != nullptr) {
        m_status.text = line->text;
        m_status.colour = line->colour;
    }
    InvalidateRect(m_statusRect);
    return 0;
}

void CPassWordDlg::OnModify()
{
    m_current.GetWindowText(m_request.current);
    m_new.GetWindowText(m_request.newPassword);
    m_again.GetWindowText(m_request.newAgain);
    CWnd* parent = GetParent();
    CWnd* host = parent != nullptr ? parent->GetParent() : nullptr;
    if (host != nullptr)
        host->SendMessage(WM_PASSWORD_REQUEST, (WPARAM)&m_request);
}

entry::CEditCustom& CPassWordDlg::TargetEdit(int target)
{
    return target == 1 ? m_new : target == 2 ? m_again : m_current;
}

void CPassWordDlg::ShowKeyboard(int target)
{
    m_keypadTarget = target;
    m_keypad.ShuffleKeys();
    CRect edit, keypad;
    TargetEdit(target).GetWindowRect(&edit);
    m_keypad.GetWindowRect(&keypad);
    m_keypad.MoveWindow(edit.left, edit.top - 30, keypad.Width(), keypad.Height());
    m_keypad.ShowWindow(SW_SHOW);
}

void CPassWordDlg::OnKeyboardButton(UINT id)
{
    ShowKeyboard((int)(id - IDC_PWD_CURRENT_KEYPAD) / 3);
}

LRESULT CPassWordDlg::OnKeypadKey(WPARAM wParam, LPARAM)
{
    entry::CEditCustom& edit = TargetEdit(m_keypadTarget);
    CString text;
    edit.GetWindowText(text);
    int key = (int)wParam;
    // The keypad types as the keyboard does: no further than the edit's limit.
    const int limit = (int)edit.SendMessage(EM_GETLIMITTEXT, 0, 0);
    if (key >= 0 && key <= 9 && text.GetLength() < limit) {
        CString digit;
        digit.Format("%d", key);
        text += digit;
    } else if (key == 10 && !text.IsEmpty()) {
        text = text.Left(text.GetLength() - 1);
    }
    edit.SetWindowText(text);
    return 0;
}
