#include "TradedeckDlg.h"

#include "ChildLibraries.h"
#include "SetParameterDlg.h"
#include "TradedeckResource.h"

#include <shellapi.h>

using namespace tradedeck;

namespace {

const char* const kLiquidityTip = "流动性<0时，系统会自动平掉部分仓位，以保证流动性>0。";
const COLORREF kFrame = 0xB99D7F;

struct EntrySpec { int id; const char* name; UINT icon; };
const EntrySpec kEntries[] = {
    {1, "交易", IDI_ENTRY_TRADE},      {2, "当日委托", IDI_ENTRY_ORDERS}, {3, "当日成交", IDI_ENTRY_FILLS},
    {4, "持仓", IDI_ENTRY_POSITIONS},  {5, "查询", IDI_ENTRY_QUERY},      {6, "设置", IDI_ENTRY_SETTINGS},
    {12, "修改密码", IDI_ENTRY_PASSWORD},
};

void CreateSongFont(CFont& font, int height, int width, int weight, BOOL underline, BYTE pitchAndFamily)
{
    font.CreateFont(height, width, 0, 0, weight, FALSE, underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitchAndFamily, "宋体");
}

}  // namespace

CTradedeckDlg::CTradedeckDlg() : CDialogEx(IDD_TRADEDECK, NULL)
{
    m_linkRect.SetRect(300, 0, 400, 30);
}

CTradedeckDlg::~CTradedeckDlg() = default;

BEGIN_MESSAGE_MAP(CTradedeckDlg, CDialogEx)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_DECK_REFRESH, &CTradedeckDlg::OnRefreshButton)
    ON_BN_CLICKED(IDC_DECK_LOCK, &CTradedeckDlg::OnLockButton)
    ON_NOTIFY(NM_CLICK, IDC_DECK_TREE, &CTradedeckDlg::OnTreeClick)
    ON_NOTIFY(TVN_SELCHANGED, IDC_DECK_TREE, &CTradedeckDlg::OnTreeSelChanged)
    ON_MESSAGE(WM_PLATFORM_SUMMARY, &CTradedeckDlg::OnPlatformSummary)
    ON_MESSAGE(WM_PLATFORM_PRETRANSLATE, &CTradedeckDlg::OnPreTranslate)
    ON_MESSAGE(WM_PLATFORM_COLLAPSE, &CTradedeckDlg::OnOrderCollapse)
    ON_MESSAGE(WM_PLATFORM_SET_OPTION, &CTradedeckDlg::OnSetOption)
    ON_MESSAGE(WM_ORDER_INSTRUMENT, &CTradedeckDlg::OnOrderInstrument)
    ON_MESSAGE(WM_POSITIONS_LIST, &CTradedeckDlg::OnPositionsList)
    ON_MESSAGE(WM_POSITIONS_BUTTON_STATE, &CTradedeckDlg::OnPositionsButtonState)
    ON_MESSAGE(WM_ORDERS_LIST, &CTradedeckDlg::OnOrdersList)
    ON_MESSAGE(WM_ORDERS_BUTTON_STATE, &CTradedeckDlg::OnOrdersButtonState)
    ON_MESSAGE(WM_FILLS_LIST, &CTradedeckDlg::OnFillsList)
    ON_MESSAGE(WM_QUERY_PAGE_0, &CTradedeckDlg::OnQueryPage0)
    ON_MESSAGE(WM_QUERY_PAGE_1, &CTradedeckDlg::OnQueryPage1)
    ON_MESSAGE(WM_QUERY_PAGE_2, &CTradedeckDlg::OnQueryPage2)
    ON_MESSAGE(WM_QUERY_PAGE_3, &CTradedeckDlg::OnQueryPage3)
    ON_MESSAGE(WM_QUERY_PAGE_4, &CTradedeckDlg::OnQueryPage4)
    ON_MESSAGE(WM_QUERY_PAGE_5, &CTradedeckDlg::OnQueryPage5)
    ON_MESSAGE(WM_QUERY_PAGE_6, &CTradedeckDlg::OnQueryPage6)
    ON_MESSAGE(WM_PASSWORD_STATUS, &CTradedeckDlg::OnPasswordStatus)
END_MESSAGE_MAP()

void CTradedeckDlg::PostNcDestroy()
{
    CDialogEx::PostNcDestroy();
    delete this;
}

void CTradedeckDlg::OnCancel()
{
    DestroyWindow();
}

BOOL CTradedeckDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    CreateFonts();
    m_summary.titleFont = &m_normalFont;
    for (auto& figure : m_summary.figures)
        figure.font = &m_boldFont;
    m_summary.linkFont = &m_linkFontDefault;
    CopyAccountSummary(m_summary);
    CreateToolTip();
    CreateHeaderButtons();
    LoadHeaderBitmaps();
    m_linkRect.SetRect(300, 0, 400, 30);
    CreateTree();
    CreateChildren();
    LayoutChildren();
    return TRUE;
}

void CTradedeckDlg::CreateFonts()
{
    m_pointFont.CreatePointFont(90, "宋体");
    CreateSongFont(m_normalFont, 12, 0, FW_NORMAL, FALSE, DEFAULT_PITCH);
    CreateSongFont(m_boldFont, 12, 0, FW_BOLD, FALSE, DEFAULT_PITCH);
    CreateSongFont(m_linkFontDefault, 0, 8, FW_BOLD, TRUE, 32);
}

void CTradedeckDlg::CreateToolTip()
{
    m_toolTip.Create(this, TTS_ALWAYSTIP);
    CRect client;
    GetClientRect(&client);
    m_toolTip.AddTool(this, "", CRect(0, 0, 10000, 10000), 1);
    m_toolTip.SetFont(&m_pointFont);
    m_toolTip.SetDelayTime(TTDT_INITIAL, 300);
    m_toolTip.SetDelayTime(TTDT_AUTOPOP, 0xFFFF);
    m_toolTip.Activate(TRUE);
}

void CTradedeckDlg::CreateHeaderButtons()
{
    struct HeaderButton { CLayerButton* button; const char* caption; UINT id; };
    for (const HeaderButton& plan : {HeaderButton{&m_refresh, "刷新", IDC_DECK_REFRESH}, HeaderButton{&m_lock, "锁定", IDC_DECK_LOCK}}) {
        plan.button->Create(plan.caption, WS_CHILD | BS_OWNERDRAW, CRect(0, 0, 15, 20), this, plan.id);
        plan.button->SetStyle(0);
        plan.button->SetBkColor(0xEBF5F5);
        plan.button->SetTextColor(0);
        plan.button->SetTextFormat(1);
        plan.button->SetFont(&m_pointFont);
        plan.button->ShowWindow(SW_HIDE);
    }
}

void CTradedeckDlg::LoadHeaderBitmaps()
{
    CClientDC screen(this);
    struct HeaderImage { HeaderBitmap* header; UINT id; };
    for (const HeaderImage& plan : {HeaderImage{&m_hideBitmap, IDB_HEADER_HIDE}, HeaderImage{&m_floatBitmap, IDB_HEADER_FLOAT},
                             HeaderImage{&m_liquidityBitmap, IDB_HEADER_LIQUIDITY}}) {
        HeaderBitmap& header = *plan.header;
        if (!header.bitmap.LoadBitmap(plan.id))
            continue;
        BITMAP info = {};
        header.bitmap.GetBitmap(&info);
        header.width = info.bmWidth;
        header.height = info.bmHeight;
        header.dc.CreateCompatibleDC(&screen);
        header.old = header.dc.SelectObject(&header.bitmap);
        header.dc.SetBkColor(0xFFFFFF);
    }
}

void CTradedeckDlg::CreateTree()
{
    m_tree.Create(WS_CHILD | WS_BORDER | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, CRect(0, 30, 130, 100),
                  this, IDC_DECK_TREE);
    m_tree.SetFont(&m_pointFont);
    m_images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 3);
    for (int position = 0; position < (int)(sizeof(kEntries) / sizeof(kEntries[0])); ++position) {
        _SysInfoTreeStruct entry;
        entry.id = kEntries[position].id;
        entry.name = kEntries[position].name;
        entry.icon = (HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kEntries[position].icon), IMAGE_ICON,
                                         16, 16, 0);
        entry.item = m_tree.InsertItem(entry.name, position, position);
        m_images.Add(entry.icon);
        m_entries.Add(entry);
    }
    m_tree.SetImageList(&m_images, TVSIL_NORMAL);
    m_tree.SetBorderWidth(1);
    m_tree.SetBorderColor(kFrame);
    m_tree.ShowWindow(SW_SHOW);
}

void CTradedeckDlg::CreateChildren()
{
    for (int which = kOrder; which <= kPassword; ++which)
        m_children[which] = CreateChildWindow((Window)which, this);
    m_settings = new CSetParameterDlg;
    if (m_settings->Create(IDD_SET_PARAMETER, this))
        m_children[kSettings] = m_settings->GetSafeHwnd();
    else {
        delete m_settings;
        m_settings = nullptr;
    }
}

void CTradedeckDlg::LayoutChildren()
{
    CRect client;
    GetClientRect(&client);
    DeckLayout layout = ComputeLayout(client, m_currentId, m_collapsed != 0);
    m_headerRect = layout.header;
    if (::IsWindow(m_refresh.GetSafeHwnd()))
        m_refresh.MoveWindow(client.right - client.left - 220, 5, 50, 18);
    if (::IsWindow(m_lock.GetSafeHwnd()))
        m_lock.MoveWindow(client.right - client.left - 160, 5, 50, 18);
    const int w2013 = m_hideBitmap.width, h2013 = m_hideBitmap.height;
    const int w2014 = m_floatBitmap.width, h2014 = m_floatBitmap.height;
    m_floatRect.SetRect(client.right - w2014, 0, client.right, h2014);
    m_hideRect.SetRect(client.right - w2014 - w2013, 0, client.right - w2014, h2013);
    if (::IsWindow(m_tree.GetSafeHwnd()))
        m_tree.MoveWindow(&layout.tree);
    for (int which = 0; which < kWindows; ++which) {
        HWND child = m_children[which];
        if (!::IsWindow(child))
            continue;
        const RECT& r = layout.windows[which];
        ::MoveWindow(child, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        ::ShowWindow(child, layout.shown[which] ? SW_SHOW : SW_HIDE);
    }
}

void CTradedeckDlg::OnSize(UINT nType, int cx, int cy)
{
    CDialogEx::OnSize(nType, cx, cy);
    if (::IsWindow(m_tree.GetSafeHwnd())) {
        LayoutChildren();
        InvalidateRect(m_headerRect, FALSE);
    }
}

BOOL CTradedeckDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CTradedeckDlg::OnOrderCollapse(WPARAM wParam, LPARAM)
{
    m_collapsed = (int)wParam;
    CRect client;
    GetClientRect(&client);
    PostMessage(WM_SIZE, 3, MAKELPARAM(client.Width(), client.Height()));
    return 0;
}

void CTradedeckDlg::CopyFont(CFont& own, const CFont* from, const CFont& fallback)
{
    LOGFONT logFont = {};
    const CFont* source = from != nullptr && from->GetSafeHandle() != NULL ? from : &fallback;
    if (::GetObjectA(source->GetSafeHandle(), sizeof(logFont), &logFont) == 0)
        ::GetObjectA(fallback.GetSafeHandle(), sizeof(logFont), &logFont);
    own.DeleteObject();
    own.CreateFontIndirect(&logFont);
}

void CTradedeckDlg::CopyAccountSummary(const AccountSummary& from)
{
    if (&from != &m_summary)
        m_summary = from;
    // The sender's fonts are read now and copied: the header never paints with an object
    // the sender may have deleted, and a missing font falls back on the container's own.
    CopyFont(m_titleFont, from.titleFont, m_normalFont);
    for (int k = 0; k < AccountSummary::kFigures; ++k)
        CopyFont(m_figureFonts[k], from.figures[k].font, m_boldFont);
    CopyFont(m_linkFont, from.linkFont, m_linkFontDefault);
    m_summary.titleFont = &m_titleFont;
    for (int k = 0; k < AccountSummary::kFigures; ++k)
        m_summary.figures[k].font = &m_figureFonts[k];
    m_summary.linkFont = &m_linkFont;
}

LRESULT CTradedeckDlg::OnPlatformSummary(WPARAM wParam, LPARAM)
{
    const AccountSummary* summary = reinterpret_cast<const AccountSummary*>(wParam);
    if (summary != nullptr)
        CopyAccountSummary(*summary);
    InvalidateRect(m_headerRect, FALSE);
    return 0;
}

void CTradedeckDlg::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CDC dc;
    dc.CreateCompatibleDC(&paint);
    CBitmap picture;
    picture.CreateCompatibleBitmap(&paint, client.Width(), client.Height());
    CBitmap* oldBitmap = dc.SelectObject(&picture);
    dc.SetBkMode(TRANSPARENT);
    dc.FillSolidRect(client, 0xFFFFFF);
    dc.FillSolidRect(m_headerRect, m_summary.background);
    PaintHeader(dc);
    paint.BitBlt(0, 0, client.Width(), client.Height(), &dc, 0, 0, SRCCOPY);
    dc.SelectObject(oldBitmap);
}

void CTradedeckDlg::PaintHeader(CDC& dc)
{
    CFont* oldFont = dc.SelectObject(m_summary.titleFont);
    dc.SetTextColor(m_summary.titleColour);
    dc.TextOut(10, 8, m_summary.title);
    m_liquidityRect.SetRectEmpty();
    if (m_summary.linkEnabled == 1) {
        dc.SelectObject(m_summary.linkFont);
        dc.SetTextColor(m_summary.linkColour);
        CRect measure(0, 0, 10000, 10000);
        dc.DrawText(m_summary.link, measure, DT_WORDBREAK | DT_CALCRECT);
        int height = m_linkRect.Height();
        m_linkRect.top = m_linkRect.top + (height - measure.Height()) / 2;
        m_linkRect.bottom = m_linkRect.top + measure.Height();
        m_linkRect.right = m_linkRect.left + measure.Width();
        CRect link = m_linkRect;
        dc.DrawText(m_summary.link, link, DT_WORDBREAK);
    } else {
        const int xs[] = {170, 350, 530, 710, 880};
        for (int k = 0; k < AccountSummary::kFigures; ++k) {
            const AccountSummary::Figure& figure = m_summary.figures[k];
            dc.SelectObject(figure.font);
            dc.SetTextColor(figure.colour);
            CString text = figure.label + figure.value;
            dc.TextOut(xs[k], 8, text);
            if (k == 3 && !text.IsEmpty() && m_liquidityBitmap.width > 0) {
                CSize size = dc.GetTextExtent(text);
                int x = 712 + size.cx;
                int y = 8 + (size.cy - m_liquidityBitmap.height) / 2;
                m_liquidityRect.SetRect(x, y, x + m_liquidityBitmap.width, y + m_liquidityBitmap.height);
                dc.BitBlt(x, y, m_liquidityBitmap.width, m_liquidityBitmap.height, &m_liquidityBitmap.dc, 0, 0, SRCAND);
            }
        }
    }
    dc.SelectObject(oldFont);
    if (m_hideBitmap.width > 0)
        dc.BitBlt(m_hideRect.left, m_hideRect.top, m_hideRect.Width(), m_hideRect.Height(), &m_hideBitmap.dc, 0, 0, SRCAND);
    if (m_floatBitmap.width > 0)
        dc.BitBlt(m_floatRect.left, m_floatRect.top, m_floatRect.Width(), m_floatRect.Height(), &m_floatBitmap.dc, 0, 0,
                  SRCAND);
}

CString CTradedeckDlg::TipAt(const CPoint& point) const
{
    if (m_hideRect.PtInRect(point))
        return "隐藏";
    if (m_floatRect.PtInRect(point))
        return "浮动";
    if (m_liquidityRect.PtInRect(point))
        return kLiquidityTip;
    return CString();
}

void CTradedeckDlg::OnHeaderMouseMove(UINT nFlags, CPoint point)
{
    CString tip = TipAt(point);
    if (::IsWindow(m_toolTip.GetSafeHwnd())) {
        if (tip != m_tipText) {
            m_tipText = tip;
            m_toolTip.UpdateTipText(tip, this, 1);
        }
        if (tip.IsEmpty())
            m_toolTip.Pop();
    }
    if (m_summary.linkEnabled == 1 && m_linkRect.PtInRect(point))
        ::SetCursor(::LoadCursor(NULL, IDC_HAND));
    CDialogEx::OnMouseMove(nFlags, point);
}

void CTradedeckDlg::SendToHost(UINT message, const CString& text)
{
    m_upText = text;
    CWnd* parent = GetParent();
    if (parent != nullptr)
        parent->SendMessage(message, (WPARAM)&m_upText);
}

void CTradedeckDlg::OnHeaderClick(UINT nFlags, CPoint point)
{
    if (m_hideRect.PtInRect(point))
        SendToHost(WM_PLATFORM_HEADER_BUTTON, "隐藏");
    if (m_floatRect.PtInRect(point))
        SendToHost(WM_PLATFORM_HEADER_BUTTON, "浮动");
    if (m_summary.linkEnabled == 1 && m_linkRect.PtInRect(point) && !m_summary.link.IsEmpty())
        ::ShellExecuteA(NULL, NULL, m_summary.link, NULL, NULL, SW_SHOWNORMAL);
    CDialogEx::OnLButtonDown(nFlags, point);
}

void CTradedeckDlg::OnRefreshButton()
{
    CString caption;
    m_refresh.GetWindowText(caption);
    SendToHost(WM_PLATFORM_HEADER_BUTTON, caption);
}

void CTradedeckDlg::OnLockButton()
{
    CString caption;
    m_lock.GetWindowText(caption);
    SendToHost(WM_PLATFORM_HEADER_BUTTON, caption);
}

void CTradedeckDlg::OnTreeClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
}

void CTradedeckDlg::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMTREEVIEW* change = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    CString text = m_tree.GetItemText(change->itemNew.hItem);
    for (INT_PTR i = 0; i < m_entries.GetSize(); ++i) {
        if (m_entries[i].name == text) {
            m_currentId = m_entries[i].id;
            break;
        }
    }
    if (m_currentId == 12 && ::IsWindow(m_children[kPassword])) {
        StatusLine cleared;
        ::SendMessage(m_children[kPassword], WM_PASSWORD_STATUS, (WPARAM)&cleared, 0);
    }
    LayoutChildren();
    SendToHost(WM_PLATFORM_ITEM_SELECTED, text);
}

void CTradedeckDlg::SelectFunctionItem(int index)
{
    int position = index >= 1 && index <= 5 ? index : 0;
    if (position < m_entries.GetSize())
        m_tree.SelectItem(m_entries[position].item);
}

LRESULT CTradedeckDlg::OnPreTranslate(WPARAM wParam, LPARAM)
{
    MSG* msg = reinterpret_cast<MSG*>(wParam);
    if (msg == nullptr)
        return 0;
    if (::IsWindow(m_toolTip.GetSafeHwnd()))
        m_toolTip.RelayEvent(msg);
    if (msg->message == WM_KEYDOWN && msg->wParam >= VK_F1 && msg->wParam <= VK_F6)
        SelectFunctionItem((int)(msg->wParam - VK_F1));
    return 0;
}

void CTradedeckDlg::OnDestroy()
{
    CDialogEx::OnDestroy();
    for (HeaderBitmap* header : {&m_hideBitmap, &m_floatBitmap, &m_liquidityBitmap}) {
        if (header->dc.GetSafeHdc() != NULL) {
            header->dc.SelectObject(header->old);
            header->dc.DeleteDC();
        }
        header->bitmap.DeleteObject();
    }
}

LRESULT CTradedeckDlg::Forward(Window which, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (::IsWindow(m_children[which]))
        ::SendMessage(m_children[which], message, wParam, lParam);
    return 0;
}

LRESULT CTradedeckDlg::OnSetOption(WPARAM w, LPARAM l) { return Forward(kSettings, WM_PLATFORM_SET_OPTION, w, l); }
LRESULT CTradedeckDlg::OnOrderInstrument(WPARAM w, LPARAM l) { return Forward(kOrder, WM_ORDER_INSTRUMENT, w, l); }
LRESULT CTradedeckDlg::OnPositionsList(WPARAM w, LPARAM l) { return Forward(kPositions, WM_POSITIONS_LIST, w, l); }
LRESULT CTradedeckDlg::OnPositionsButtonState(WPARAM w, LPARAM l) { return Forward(kPositions, WM_POSITIONS_BUTTON_STATE, w, l); }
LRESULT CTradedeckDlg::OnOrdersList(WPARAM w, LPARAM l) { return Forward(kOrders, WM_ORDERS_LIST, w, l); }
LRESULT CTradedeckDlg::OnOrdersButtonState(WPARAM w, LPARAM l) { return Forward(kOrders, WM_ORDERS_BUTTON_STATE, w, l); }
LRESULT CTradedeckDlg::OnFillsList(WPARAM w, LPARAM l) { return Forward(kFills, WM_FILLS_LIST, w, l); }
LRESULT CTradedeckDlg::OnQueryPage0(WPARAM w, LPARAM l) { return Forward(kQuery, WM_QUERY_PAGE_0, w, l); }
LRESULT CTradedeckDlg::OnQueryPage1(WPARAM w, LPARAM l) { return Forward(kQuery, WM_QUERY_PAGE_1, w, l); }
LRESULT CTradedeckDlg::OnQueryPage2(WPARAM w, LPARAM l) { return Forward(kQuery, WM_QUERY_PAGE_2, w, l); }
LRESULT CTradedeckDlg::OnQueryPage3(WPARAM w, LPARAM l) { return Forward(kQuery, WM_QUERY_PAGE_3, w, l); }
LRESULT CTradedeckDlg::OnQueryPage4(WPARAM w, LPARAM l) { return Forward(kQuery, WM_QUERY_PAGE_4, w, l); }
LRESULT CTradedeckDlg::OnQueryPage5(WPARAM w, LPARAM l) { return Forward(kQuery, WM_QUERY_PAGE_5, w, l); }
LRESULT CTradedeckDlg::OnQueryPage6(WPARAM w, LPARAM l) { return Forward(kQuery, WM_QUERY_PAGE_6, w, l); }
LRESULT CTradedeckDlg::OnPasswordStatus(WPARAM w, LPARAM l) { return Forward(kPassword, WM_PASSWORD_STATUS, w, l); }
