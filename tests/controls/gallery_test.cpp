// Every control of the library in one window with representative settings, saved as
// controls_gallery.png beside the test program for a person to look at.
#include "controls_test_host.h"
#include "controls_test_resources.h"

#include "CaptionButton.h"
#include "EditCustom.h"
#include "EditEx.h"
#include "FlatComboBox.h"
#include "FlatDateTimeCtrl.h"
#include "GridListCtrl.h"
#include "HtmlPane.h"
#include "ImageCache.h"
#include "LayerButton.h"
#include "ListCtrlEx.h"
#include "MenuBar.h"
#include "ResizeDialog.h"
#include "SkinResource.h"
#include "TabCtrlEx.h"

#include <testsupport/Pump.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using tolvan::test::Screenshot;

namespace {

// The menu bar and caption buttons are records that their owner draws; this strip draws
// them the plain way the main window's frame does: item cells in their colours, then the
// buttons through GDI+.
class FrameStrip : public CWnd
{
public:
    static const int kCaptionBandLeft = 620;
    FrameStrip() : bar(0, 0, 870, 30, 0) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_PAINT)
            return CWnd::WindowProc(message, wParam, lParam);
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, bar.BkColor());
        // The caption buttons sit on the frame's dark caption band.
        dc.FillSolidRect(kCaptionBandLeft, 0, client.right - kCaptionBandLeft, client.bottom, RGB(30, 50, 80));
        dc.SetBkMode(TRANSPARENT);
        for (MenuBarItem* item = bar.Head(); item != nullptr; item = item->next) {
            CRect cell(item->index * item->width, 3, (item->index + 1) * item->width, 3 + item->itemHeight);
            dc.FillSolidRect(&cell, item->colors[item->index == 1 ? 1 : 0]);
            CFont* old = item->font != nullptr ? dc.SelectObject(item->font) : nullptr;
            dc.DrawText(item->text, &cell, item->textFormat);
            if (old != nullptr)
                dc.SelectObject(old);
        }
        Gdiplus::Graphics graphics(dc.m_hDC);
        for (auto& button : buttons)
            button->Draw(graphics);
        return 0;
    }
    CMenuBar bar;
    std::vector<std::unique_ptr<CCaptionButton>> buttons;
};

class GalleryDialog : public CResizeDialog
{
public:
    GalleryDialog() : CResizeDialog(IDD_RESIZE_TEST) {}
    BOOL OnInitDialog() override
    {
        // Left column stays, the middle ones stretch, the last follows the corner.
        std::vector<ResizeControlInfo> table;
        for (int i = 0; i < 9; ++i)
            table.push_back({ IDC_RESIZE_FIRST + i, i < 3 ? 2 : i < 8 ? 15 : 4 });
        SetControlInfo(table.data(), static_cast<int>(table.size()));
        return CResizeDialog::OnInitDialog();
    }
};

TEST(GalleryTest, EveryControlInOneWindow)
{
    ControlHost host(RECT{ 10, 10, 1510, 570 });
    CFont font;
    font.CreatePointFont(90, "宋体");

    CTabCtrlEx tabs;
    tabs.Create(WS_CHILD | WS_VISIBLE | TCS_FIXEDWIDTH, CRect(10, 10, 530, 40), &host, 1);
    tabs.SetItemSize(CSize(90, 26));
    const char* sectors[] = { "沪深", "港股", "外汇现货", "我的板块" };
    for (int i = 0; i < 4; ++i)
        tabs.InsertItem(i, sectors[i]);
    tabs.SetCurSel(1);
    tabs.SetFont(&font);
    tabs.SetTextFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    tabs.SetTabBkColor(RGB(237, 237, 237));
    tabs.SetSelTabColor(RGB(100, 100, 100));
    tabs.SetSelTextColor(RGB(255, 255, 255));
    tabs.SetBkColor(RGB(237, 237, 237));

    CListCtrlEx list;
    list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS,
                CRect(10, 50, 530, 330), &host, 2);
    list.SetBkColor(RGB(0, 0, 0));
    list.SetItemFont(&font);
    list.SetHeaderFont(&font);
    list.SetHeaderHeight(25);
    list.SetItemTextFormat(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    list.SetHeaderTextFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    list.EnableFlash(TRUE);
    list.SetFlashBkColor(RGB(0, 0, 160));
    list.SetFlashTextColor(RGB(255, 255, 255));
    const char* columns[] = { "代码", "名称", "涨幅", "最新价", "成交量", "昨收" };
    for (int c = 0; c < 6; ++c)
        list.InsertColumn(c, columns[c], LVCFMT_CENTER, 85);
    const char* names[] = { "浦发银行", "白云机场", "东风汽车", "中国国贸", "首创股份" };
    for (int row = 0; row < 10; ++row) {
        list.InsertItem(row, std::to_string(600000 + row * 4).c_str());
        list.SetItemText(row, 1, names[row % 5]);
        bool up = row % 3 != 1;
        list.SetItemText(row, 2, up ? "+1.25%" : "-0.80%");
        list.SetItemText(row, 3, "10.20");
        list.SetItemText(row, 4, "125600");
        list.SetItemText(row, 5, "10.07");
        COLORREF price = up ? RGB(255, 60, 60) : RGB(0, 230, 0);
        list.SetRowColors(row, { RGB(231, 231, 231), RGB(255, 255, 0), price, price,
                                 RGB(231, 231, 231), RGB(231, 231, 231) });
    }
    list.SetItemText(2, 3, "10.31");
    list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
    list.GetHeader().SetSortDescending(2);

    CLayerButton normal, pressed, hovered, twoPart;
    normal.Create("买入", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(550, 50, 640, 80), &host, 3);
    pressed.Create("卖出", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(650, 50, 740, 80), &host, 4);
    hovered.Create("撤单", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(750, 50, 840, 80), &host, 5);
    twoPart.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(550, 90, 660, 150), &host, 6);
    pressed.SetState(TRUE);
    hovered.SendMessage(WM_MOUSEHOVER);
    twoPart.SetStyle(1);
    twoPart.m_frameVariant = 2;
    twoPart.m_upperText = "10.20";
    twoPart.m_lowerText = "买入";
    twoPart.m_upperTextColor = RGB(200, 0, 0);
    twoPart.m_requestedUpperHeight = twoPart.m_upperHeight = 22;
    twoPart.m_separatorLength = 90;

    CFlatComboBox closed, open;
    closed.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(550, 170, 720, 300), &host, 7);
    open.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(730, 170, 890, 300), &host, 8);
    for (CFlatComboBox* combo : { &closed, &open }) {
        combo->SetImages(IDP_COMBO_NORMAL, IDP_COMBO_HOVER, IDP_COMBO_PRESSED, IDP_COMBO_NORMAL);
        combo->SetFont(12, 0, 400, "宋体");
        combo->AddString("限价");
        combo->AddString("市价");
        combo->AddString("止损");
        combo->SetCurSel(0);
    }

    CFlatDateTimeCtrl date;
    date.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | DTS_SHORTDATEFORMAT, CRect(550, 320, 700, 344), &host, 9);
    date.SetBorderColor(RGB(0x7F, 0x9D, 0xB9));
    // Setters do not repaint: the owner redraws what it changed after creation.
    date.RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE);

    CEditEx price;
    price.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(550, 360, 700, 384), &host, 10);
    price.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
    price.SetBkColor(RGB(255, 250, 230));
    price.SetTextColor(RGB(0x6D, 0x3C, 0x04));
    price.SetWindowText("10.20");
    CEditCustom quantity;
    quantity.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(710, 360, 860, 384), &host, 11);
    quantity.SetWindowText("100");

    CGridListCtrl grid;
    grid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS,
                CRect(10, 340, 530, 480), &host, 12);
    grid.InsertColumn(0, "账户", LVCFMT_LEFT, 120);
    grid.InsertColumn(1, "跟单", LVCFMT_LEFT, 90);
    grid.InsertColumn(2, "策略", LVCFMT_CENTER, 150);
    const char* strategies[] = { "稳健一号", "趋势跟随", "日内回转" };
    for (int row = 0; row < 3; ++row) {
        grid.InsertItem(row, ("8800" + std::to_string(row + 1)).c_str());
        grid.SetCheckbox(row, 1, row != 1);
        grid.SetItemText(row, 2, strategies[row]);
    }
    grid.GetHeader().SetCheckImage(1, 1);
    grid.SetRowEnabled(2, FALSE);
    grid.SetHeaderBkColor(RGB(230, 230, 230));
    grid.GetHeader().Invalidate();

    FrameStrip strip;
    strip.bar.SetItemWidth(70);
    strip.bar.SetItemHeight(24);
    strip.bar.SetFont(&font);
    strip.bar.SetTextFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    strip.bar.SetItemColors(RGB(238, 238, 238), RGB(200, 220, 240), RGB(180, 200, 230));
    strip.bar.m_built = 1;
    const char* menus[] = { "系统", "功能", "报价", "分析", "交易", "帮助" };
    for (const char* text : menus) {
        MenuBarItem* item = new MenuBarItem();
        strip.bar.InitItem(item);
        item->text = text;
        strip.bar.AppendItem(item);
    }
    struct { UINT image; int frames; const char* caption; int left, width; } buttons[] = {
        { IDP_CAPTION_TRADE, 3, "  交易", 640, 53 },
        { IDP_CAPTION_MINIMISE, 3, "", 770, 28 },
        { IDP_CAPTION_MAXIMISE, 3, "", 800, 28 },
        { IDP_CAPTION_CLOSE, 3, "", 830, 28 },
    };
    for (const auto& b : buttons) {
        strip.buttons.emplace_back(new CCaptionButton());
        strip.buttons.back()->SetButton(b.caption, RECT{ b.left, 4, b.left + b.width, 26 }, &strip,
                                        CImageCache::Instance()->GetImage(b.image), b.frames, b.image);
    }
    strip.buttons[3]->m_hover = 1;
    strip.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(10, 495, 880, 525), &host, 13);

    // The HTML view with a notice, in the place of a placeholder as the notice window does.
    CStatic placeholder;
    placeholder.Create("", WS_CHILD, CRect(550, 392, 900, 488), &host, 14);
    CHtmlPane notice;
    ASSERT_TRUE(notice.CreateFromStatic(14, &host));
    EXPECT_TRUE(notice.SetHtml("<h3 align=center>系统维护公告</h3><p>本系统将于<b>12月20日</b>进行维护，"
                               "<font color=#800080>维护期间停止交易！</font></p><a href=\"app:1\">不再提示</a>"));

    // The resizable dialog, grown past its starting size so its anchored controls moved.
    GalleryDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_RESIZE_TEST, &host));
    CRect dialogRect;
    dialog.GetWindowRect(&dialogRect);
    CPoint corner(920, 50);
    host.ClientToScreen(&corner);
    dialog.SetWindowPos(NULL, corner.x, corner.y, dialogRect.Width() + 20, dialogRect.Height() + 40,
                        SWP_NOZORDER | SWP_NOACTIVATE);
    dialog.ShowWindow(SW_SHOWNOACTIVATE);

    open.ShowDropDown(TRUE);
    tolvan::test::PumpPending();

    // Each control shows a colour of its own settings inside its own place (host client
    // coordinates; the strip's buttons lie at their left edges above).
    CRect stripPlace = host.ChildRect(strip);
    CRect dialogPlace = host.ChildRect(dialog);
    struct PixelCheck {
        const char* control;
        CRect place;
        COLORREF colour;
    };
    const PixelCheck checks[] = {
        { "tab strip: selected tab", host.ChildRect(tabs), RGB(100, 100, 100) },
        { "report list: rising price", host.ChildRect(list), RGB(255, 60, 60) },
        { "report list: changed cell", host.ChildRect(list), RGB(0, 0, 160) },
        { "report list: selected row, blended", host.ChildRect(list), RGB(0, 0, 127) },
        { "layer button: light top edge", host.ChildRect(normal), RGB(0xA0, 0xA0, 0xA0) },
        { "pressed layer button: dark outline", host.ChildRect(pressed), RGB(0x00, 0x3C, 0x74) },
        { "hovered layer button: hover fill", host.ChildRect(hovered), RGB(0xFD, 0xD3, 0x7D) },
        { "two-part layer button: upper text", host.ChildRect(twoPart), RGB(200, 0, 0) },
        { "closed combo box: frame", host.ChildRect(closed), RGB(0x7F, 0x9D, 0xB9) },
        { "closed combo box: arrow image", host.ChildRect(closed), RGB(60, 60, 60) },
        { "open combo box: chosen item of the list", CRect(730, 170, 890, 300), RGB(48, 150, 250) },
        { "price edit: background", host.ChildRect(price), RGB(255, 250, 230) },
        { "price edit: text", host.ChildRect(price), RGB(0x6D, 0x3C, 0x04) },
        { "custom edit: flat frame", host.ChildRect(quantity), RGB(158, 158, 158) },
        { "grid list: check mark", host.ChildRect(grid), RGB(51, 102, 153) },
        { "grid list: header background", host.ChildRect(grid), RGB(230, 230, 230) },
        { "date picker: frame", host.ChildRect(date), RGB(0x7F, 0x9D, 0xB9) },
        { "menu bar: items", CRect(stripPlace.left, stripPlace.top, stripPlace.left + 420, stripPlace.bottom),
          RGB(238, 238, 238) },
        { "menu bar: hot item", CRect(stripPlace.left + 70, stripPlace.top, stripPlace.left + 140, stripPlace.bottom),
          RGB(200, 220, 240) },
        { "caption button: trade", CRect(stripPlace.left + 640, stripPlace.top, stripPlace.left + 693, stripPlace.bottom),
          RGB(200, 210, 225) },
        { "caption button: hovered close", CRect(stripPlace.left + 830, stripPlace.top, stripPlace.left + 858,
          stripPlace.bottom), RGB(90, 110, 140) },
        { "html view: coloured text", CRect(550, 392, 900, 488), RGB(128, 0, 128) },
        { "html view: link", CRect(550, 392, 900, 488), RGB(0, 0, 255) },
        { "resizable dialog: size grip", CRect(dialogPlace.right - 20, dialogPlace.bottom - 20, dialogPlace.right,
          dialogPlace.bottom), RGB(0, 0, 0) },
    };
    auto shows = [&](const Screenshot& s, const PixelCheck& check) { return s.CountColor(check.colour, &check.place) > 0; };
    Screenshot shot = host.CaptureWhen([&](const Screenshot& s) {
        for (const PixelCheck& check : checks)
            if (!shows(s, check))
                return false;
        return true;
    });
    ASSERT_FALSE(shot.IsEmpty());
    for (const PixelCheck& check : checks)
        EXPECT_TRUE(shows(shot, check)) << check.control << " not drawn";
    EXPECT_TRUE(shot.SavePng("controls_gallery.png"));
    open.ShowDropDown(FALSE);
    dialog.DestroyWindow();
}

}  // namespace
