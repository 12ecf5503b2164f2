#include "RibbonBar.h"

const char* const CRibbonBar::kCaptions[CRibbonBar::BUTTON_COUNT] = {
    "行情", "资讯", "放大", "缩小", "分时", "日线", "周线",
    "月线", "1分", "5分", "15分", "30分", "60分",
};

namespace {

// Glyph and ground of each state image: a small bar chart.
struct StateLook {
    COLORREF ground;
    COLORREF glyph;
};
const StateLook kLooks[CRibbonButton::IMAGE_STATES] = {
    { CRibbonButton::kBarColor, 0xB97D3F },      // normal: blue bars
    { CRibbonButton::kCheckedColor, 0x00A5FF },  // checked: orange bars
    { CRibbonButton::kBarColor, 0xC8C8C8 },      // disabled: pale grey bars
};

}  // namespace

BEGIN_MESSAGE_MAP(CRibbonBar, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CRibbonBar::CRibbonBar() = default;
CRibbonBar::~CRibbonBar() = default;

CRibbonBar* CRibbonBar::FromToolBar(HWND hWnd)
{
    if (hWnd == NULL || !::IsWindow(hWnd))
        return nullptr;
    return dynamic_cast<CRibbonBar*>(CWnd::FromHandlePermanent(hWnd));
}

BOOL CRibbonBar::CreateBar(CWnd* parent)
{
    CRect client(0, 0, 0, 0);
    if (parent != nullptr)
        parent->GetClientRect(&client);
    LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), NULL);
    if (!CreateEx(0, windowClass, "Ribbonet", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                  CRect(0, 0, client.Width(), BAR_HEIGHT), parent, 0))
        return FALSE;
    m_hTarget = parent != nullptr ? parent->m_hWnd : NULL;
    m_font.CreatePointFont(90, "宋体");
    CreateStateImages();
    for (int index = 0; index < BUTTON_COUNT; ++index) {
        CRect place(2 + index * (BUTTON_WIDTH + 2), 1, 2 + index * (BUTTON_WIDTH + 2) + BUTTON_WIDTH,
                    BAR_HEIGHT - 1);
        CRibbonButton& button = m_buttons[index];
        if (!button.Create(kCaptions[index], WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, place, this,
                           FIRST_BUTTON_ID + index))
            return FALSE;
        button.SetFont(&m_font);
        button.SetStateImages(&m_stateImages);
    }
    return TRUE;
}

void CRibbonBar::CreateStateImages()
{
    const int size = CRibbonButton::IMAGE_SIZE;
    CClientDC screen(this);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    m_stateImages.CreateCompatibleBitmap(&screen, size * CRibbonButton::IMAGE_STATES, size);
    CBitmap* old = dc.SelectObject(&m_stateImages);
    const int heights[3] = { 6, 10, 13 };
    for (int state = 0; state < CRibbonButton::IMAGE_STATES; ++state) {
        const int left = state * size;
        dc.FillSolidRect(left, 0, size, size, kLooks[state].ground);
        for (int bar = 0; bar < 3; ++bar)
            dc.FillSolidRect(left + 2 + bar * 4, size - 1 - heights[bar], 3, heights[bar],
                             kLooks[state].glyph);
    }
    dc.SelectObject(old);
}

void CRibbonBar::SetTarget(HWND hParent)
{
    if (hParent == NULL || !::IsWindow(hParent))
        return;
    if (::GetParent(m_hWnd) != hParent)
        ::SetParent(m_hWnd, hParent);
    m_hTarget = hParent;
}

void CRibbonBar::RegisterMessage(int index, UINT message)
{
    if (IsButtonIndex(index))
        m_messages[index] = message;
}

void CRibbonBar::SetChecked(int index, bool checked)
{
    if (!IsButtonIndex(index))
        return;
    if (checked) {
        for (int other = 0; other < BUTTON_COUNT; ++other)
            m_buttons[other].SetChecked(other == index);
    } else {
        m_buttons[index].SetChecked(false);
    }
}

void CRibbonBar::SetEnabled(int index, bool enabled)
{
    if (IsButtonIndex(index) && m_buttons[index].m_hWnd != NULL)
        m_buttons[index].EnableWindow(enabled ? TRUE : FALSE);
}

BOOL CRibbonBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int index = static_cast<int>(LOWORD(wParam)) - FIRST_BUTTON_ID;
    if (HIWORD(wParam) == BN_CLICKED && IsButtonIndex(index)) {
        // A click that arrives after the button was disabled (queued before) is dropped.
        if (m_messages[index] != 0 && m_buttons[index].IsWindowEnabled() && m_hTarget != NULL)
            ::SendMessage(m_hTarget, m_messages[index], 0, 0);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CRibbonBar::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, CRibbonButton::kBarColor);
    pDC->FillSolidRect(client.left, client.bottom - 1, client.Width(), 1, 0xC8C8C8);
    return TRUE;
}

void CRibbonBar::OnDestroy()
{
    m_hTarget = NULL;
    CWnd::OnDestroy();
}

void CRibbonBar::PostNcDestroy()
{
    // The library made the object; the window's end is the object's end.
    delete this;
}
