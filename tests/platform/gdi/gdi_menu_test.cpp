// CMenu built in code and loaded from resources, and CBitmap loaded from resources.
#include "gdi_test_resources.h"
#include "memory_canvas.h"

#include <gtest/gtest.h>

namespace {

const UINT kBuy = 100;
const UINT kSell = 101;

TEST(CMenuTest, BuiltMenuKeepsGbkTextsStatesAndSubMenus)
{
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(popup.AppendMenu(MF_STRING, kBuy, "买入(&B)"));
    ASSERT_TRUE(popup.AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(popup.AppendMenu(MF_STRING, kSell, "卖出"));
    ASSERT_TRUE(popup.InsertMenu(0, MF_BYPOSITION | MF_STRING, 99, "撤单"));

    EXPECT_EQ(4u, popup.GetMenuItemCount());
    EXPECT_EQ(99u, popup.GetMenuItemID(0));
    EXPECT_EQ(kBuy, popup.GetMenuItemID(1));
    EXPECT_EQ(0u, popup.GetMenuItemID(2));  // separator
    CString text;
    EXPECT_EQ(8, popup.GetMenuString(kBuy, text, MF_BYCOMMAND));
    EXPECT_STREQ("买入(&B)", text);
    EXPECT_EQ(4, popup.GetMenuString(3, text, MF_BYPOSITION));
    EXPECT_STREQ("卖出", text);
    char buffer[16];
    EXPECT_EQ(4, popup.GetMenuString(99, buffer, sizeof(buffer), MF_BYCOMMAND));
    EXPECT_STREQ("撤单", buffer);

    // State round trips: each call answers the previous state.
    EXPECT_EQ((UINT)MF_ENABLED, popup.EnableMenuItem(kSell, MF_BYCOMMAND | MF_GRAYED));
    EXPECT_EQ((UINT)MF_GRAYED, popup.EnableMenuItem(kSell, MF_BYCOMMAND | MF_ENABLED));
    EXPECT_EQ((UINT)MF_ENABLED, popup.EnableMenuItem(kSell, MF_BYCOMMAND | MF_DISABLED));
    EXPECT_TRUE(popup.GetMenuState(kSell, MF_BYCOMMAND) & MF_DISABLED);
    EXPECT_EQ((UINT)MF_UNCHECKED, popup.CheckMenuItem(kBuy, MF_BYCOMMAND | MF_CHECKED));
    EXPECT_TRUE(popup.GetMenuState(kBuy, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ((UINT)MF_CHECKED, popup.CheckMenuItem(kBuy, MF_BYCOMMAND | MF_UNCHECKED));
    EXPECT_FALSE(popup.GetMenuState(kBuy, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ((UINT)-1, popup.CheckMenuItem(12345, MF_BYCOMMAND | MF_CHECKED));
    EXPECT_EQ((UINT)-1, popup.GetMenuState(12345, MF_BYCOMMAND));

    ASSERT_TRUE(popup.ModifyMenu(kSell, MF_BYCOMMAND | MF_STRING, kSell, "卖出(&S)"));
    popup.GetMenuString(kSell, text, MF_BYCOMMAND);
    EXPECT_STREQ("卖出(&S)", text);

    MENUITEMINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    info.dwItemData = (ULONG_PTR)0x1234;
    ASSERT_TRUE(popup.SetMenuItemInfo(kBuy, &info));
    info.dwItemData = 0;
    ASSERT_TRUE(popup.GetMenuItemInfo(kBuy, &info));
    EXPECT_EQ((ULONG_PTR)0x1234, info.dwItemData);

    EXPECT_TRUE(popup.DeleteMenu(0, MF_BYPOSITION));
    EXPECT_EQ(3u, popup.GetMenuItemCount());

    // A menu bar owns the popup once appended: hand the handle over.
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    HMENU popupHandle = popup.Detach();
    ASSERT_TRUE(bar.AppendMenu(MF_POPUP, (UINT_PTR)popupHandle, "交易"));
    CMenu* sub = bar.GetSubMenu(0);
    ASSERT_NE(nullptr, sub);
    EXPECT_EQ(popupHandle, sub->GetSafeHmenu());
    EXPECT_EQ(sub, CMenu::FromHandle(popupHandle));
    EXPECT_EQ(nullptr, bar.GetSubMenu(5));
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(popupHandle));
    AfxDeleteTempGdiObjects();

    HMENU barHandle = bar.GetSafeHmenu();
    EXPECT_EQ(&bar, CMenu::FromHandlePermanent(barHandle));
    EXPECT_TRUE(bar.DestroyMenu());
    EXPECT_FALSE(::IsMenu(barHandle));
    EXPECT_FALSE(::IsMenu(popupHandle));
    EXPECT_EQ(nullptr, CMenu::FromHandlePermanent(barHandle));
}

TEST(CMenuTest, LoadsMenuResourceWithItsTextsAndStates)
{
    // Resource texts are UTF-16 and reach the program in the ANSI code page.
    ASSERT_EQ(936u, ::GetACP()) << "not running in the Chinese code page (is the zh_CN.UTF-8 "
                                   "locale available to Wine?)";
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_GDI_TEST_MENU));
    ASSERT_EQ(2u, menu.GetMenuItemCount());
    CString text;
    menu.GetMenuString(0, text, MF_BYPOSITION);
    EXPECT_STREQ("文件(&F)", text);
    menu.GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_STREQ("视图", text);

    CMenu* file = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, file);
    EXPECT_EQ(3u, file->GetMenuItemCount());
    file->GetMenuString(ID_GDI_TEST_OPEN, text, MF_BYCOMMAND);
    EXPECT_STREQ("打开行情(&O)", text);
    EXPECT_TRUE(file->GetMenuState(ID_GDI_TEST_EXIT, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(file->GetMenuState(1, MF_BYPOSITION) & MF_SEPARATOR);

    // Items of a sub-menu are reachable by command from the top menu too.
    EXPECT_TRUE(menu.GetMenuState(ID_GDI_TEST_GRID, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(menu.GetMenuState(ID_GDI_TEST_TICKS, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ((UINT)MF_CHECKED, menu.CheckMenuItem(ID_GDI_TEST_GRID, MF_UNCHECKED));
    menu.GetMenuString(ID_GDI_TEST_TICKS, text, MF_BYCOMMAND);
    EXPECT_STREQ("分笔成交", text);

    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(9999));
    EXPECT_EQ(nullptr, missing.GetSafeHmenu());
    AfxDeleteTempGdiObjects();
}

TEST(CBitmapTest, LoadsBitmapResourceWithItsPixels)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(IDB_GDI_TEST_BITMAP));
    BITMAP info;
    ASSERT_EQ((int)sizeof(info), bitmap.GetBitmap(&info));
    EXPECT_EQ(4, info.bmWidth);
    EXPECT_EQ(2, info.bmHeight);

    CDC dc;
    dc.CreateCompatibleDC(NULL);
    CBitmap* old = dc.SelectObject(&bitmap);
    struct
    {
        int x, y;
        COLORREF expected;
    } const cases[] = {
        { 0, 0, RGB(255, 0, 0) },   { 1, 0, RGB(0, 255, 0) },   { 2, 0, RGB(0, 0, 255) },
        { 3, 0, RGB(255, 255, 255) }, { 0, 1, RGB(0, 0, 0) },   { 1, 1, RGB(255, 255, 0) },
        { 2, 1, RGB(0, 255, 255) }, { 3, 1, RGB(255, 0, 255) },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, dc.GetPixel(c.x, c.y)) << c.x << "," << c.y;
    dc.SelectObject(old);

    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(9999));
}

}  // namespace
