// The order entry window under a stand-in container: instruments pushed down, quantity by
// keypad, price by the spin control, and the ticket that "买入"/"卖出" send to the host.
#include <Slipdesk.h>
#include <TradingTestHost.h>

#include <testsupport/Pump.h>
#include <testsupport/TestApp.h>

#include <gtest/gtest.h>

#include <memory>

using tolvan::test::PumpUntil;
using tolvan::test::Screenshot;

namespace {

tolvan::test::TestApp theApp("SlipdeskTest");

enum {
    kContract = 3007, kPriceType = 3008, kQuantity = 3018, kQuantitySpin = 3019, kPrice = 3020,
    kPriceSpin = 3022, kUnit = 3025, kPriceStep = 3030, kBuy = 3028, kSell = 3029, kCollapse = 3005,
    kKeypadKey200 = 5008,
};

InstrumentInfo Instrument(const char* code, const char* name, const char* price)
{
    InstrumentInfo info;
    info.strCode = code;
    info.strName = name;
    info.strDefaultQuantity = "100";
    info.bSetQuantity = 1;
    info.strQuantityStep = "100";
    info.strUnitText = "股";
    info.strPrice = price;
    info.strBid1Price = "10.19";
    info.strAsk1Price = "10.21";
    info.bHasPrice = 1;
    info.nPriceDecimals = 2;
    info.strPriceStep = "0.01";
    info.nShowLot = 1;
    return info;
}

CString TextOf(HWND control)
{
    char text[256] = {};
    ::GetWindowTextA(control, text, sizeof(text));
    return text;
}

class OrderWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host = std::make_unique<TradingHost>(CRect(20, 20, 460, 460));
        container = host->CreateContainer();
        order = Dll_ShowOrderDlg(container);
        ASSERT_TRUE(::IsWindow(order));
        ::MoveWindow(order, 0, 0, 400, 430, TRUE);
        form = ::GetParent(FindDescendant(order, kQuantity));
        ASSERT_TRUE(::IsWindow(form));
        tolvan::test::PumpPending();
    }

    void TearDown() override { host.reset(); }

    HWND Control(int id) const { return FindDescendant(order, id); }
    CString Text(int id) const { return TextOf(Control(id)); }

    void Push(const InstrumentInfo& info) { ::SendMessage(order, WM_ORDER_INSTRUMENT, (WPARAM)&info, 0); }

    void ChoosePriceType(int index)
    {
        ::SendMessage(Control(kPriceType), CB_SETCURSEL, index, 0);
        ::SendMessage(form, WM_COMMAND, MAKEWPARAM(kPriceType, CBN_SELCHANGE), (LPARAM)Control(kPriceType));
    }

    // A real click on the upper or lower arrow of a spin control.
    void ClickSpin(int id, bool upper)
    {
        RECT r;
        ::GetWindowRect(Control(id), &r);
        POINT p{(r.left + r.right) / 2, upper ? r.top + 3 : r.bottom - 3};
        ClickAt(p);
    }

    std::unique_ptr<TradingHost> host;
    HWND container = NULL, order = NULL, form = NULL;
};

TEST_F(OrderWindow, ShowsTheInstrumentAndKeepsATypedLimitPriceOfTheSameCode)
{
    Push(Instrument("600000", "浦发银行", "10.20"));
    EXPECT_STREQ("浦发银行", Text(kContract));
    EXPECT_STREQ("100", Text(kQuantity));
    EXPECT_STREQ("10.20", Text(kPrice));
    EXPECT_STREQ("100", Text(kUnit));
    EXPECT_STREQ("0.01", Text(kPriceStep));
    EXPECT_TRUE(::IsWindowVisible(Control(kUnit)));
    // "市价": the price cannot be edited.
    EXPECT_FALSE(::IsWindowEnabled(Control(kPrice)));
    EXPECT_FALSE(::IsWindowEnabled(Control(kPriceSpin)));

    ChoosePriceType(1);
    EXPECT_TRUE(::IsWindowEnabled(Control(kPrice)));
    ClickAt(CentreOf(Control(kPrice)));
    ::SendMessage(Control(kPrice), EM_SETSEL, 0, -1);
    TypeText("10.5");
    ASSERT_TRUE(PumpUntil([&] { return Text(kPrice) == "10.5"; }, 10000)) << (LPCSTR)Text(kPrice);

    Push(Instrument("600000", "浦发银行", "10.30"));
    EXPECT_STREQ("10.5", Text(kPrice));
    // Another instrument of the same name is another instrument: its price replaces the typed one.
    Push(Instrument("600001", "浦发银行", "7.77"));
    EXPECT_STREQ("7.77", Text(kPrice));

    ChoosePriceType(0);
    EXPECT_STREQ("7.77", Text(kPrice));
    Push(Instrument("600001", "浦发银行", "7.80"));
    EXPECT_STREQ("7.80", Text(kPrice));

    InstrumentInfo bare = Instrument("EURUSD", "欧元美元", "1.1000");
    bare.nShowLot = 0;
    bare.strQuantityStep = "0";
    Push(bare);
    EXPECT_FALSE(::IsWindowVisible(Control(kUnit)));
    EXPECT_FALSE(::IsWindowVisible(Control(kPriceStep)));
    EXPECT_STREQ("", Text(kUnit));
}

TEST_F(OrderWindow, PickedPriceKindNeverEmptiesThePrice)
{
    const UINT kPriceKindPicked = WM_USER + 21;
    Push(Instrument("600000", "浦发银行", "10.20"));
    ChoosePriceType(1);
    ::SetWindowTextA(Control(kPrice), "10.50");
    // Kinds whose price the form cannot know leave the typed price as it stands.
    for (const char* kind : {"涨停价", "对手价", "跌停价"}) {
        const CString picked = kind;
        ::SendMessage(form, kPriceKindPicked, (WPARAM)&picked, 0);
        EXPECT_STREQ("10.50", Text(kPrice)) << kind;
    }
    // "市价" is the price type of that name: the price edit then shows the latest price.
    const CString market = "市价";
    ::SendMessage(form, kPriceKindPicked, (WPARAM)&market, 0);
    EXPECT_STREQ("10.20", Text(kPrice));
    EXPECT_FALSE(::IsWindowEnabled(Control(kPrice)));
}

TEST_F(OrderWindow, QuantityByKeypadPriceBySpinAndBuyAndSellSendTheTicket)
{
    Push(Instrument("600000", "浦发银行", "10.20"));
    ChoosePriceType(1);

    // The keypad pop-up belongs to the form; a key sets the quantity and closes it.
    HWND keypad = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND hWnd, LPARAM l) -> BOOL {
        if (::GetDlgItem(hWnd, kKeypadKey200) != NULL) {
            *reinterpret_cast<HWND*>(l) = hWnd;
            return FALSE;
        }
        return TRUE;
    }, (LPARAM)&keypad);
    ASSERT_TRUE(::IsWindow(keypad));
    EXPECT_FALSE(::IsWindowVisible(keypad));
    ::SetWindowPos(keypad, HWND_TOPMOST, 500, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    CaptureAndSave(keypad, "trading_order_keypad.png");
    ClickAt(CentreOf(::GetDlgItem(keypad, kKeypadKey200)));
    ASSERT_TRUE(PumpUntil([&] { return Text(kQuantity) == "200"; }, 10000)) << (LPCSTR)Text(kQuantity);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(keypad); }, 10000));

    ClickSpin(kPriceSpin, true);
    ASSERT_TRUE(PumpUntil([&] { return Text(kPrice) == "10.21"; }, 10000)) << (LPCSTR)Text(kPrice);
    ClickSpin(kPriceSpin, false);
    ASSERT_TRUE(PumpUntil([&] { return Text(kPrice) == "10.20"; }, 10000)) << (LPCSTR)Text(kPrice);
    ClickSpin(kQuantitySpin, true);
    ASSERT_TRUE(PumpUntil([&] { return Text(kQuantity) == "300"; }, 10000)) << (LPCSTR)Text(kQuantity);

    struct Case { int button; const char* direction; };
    for (const Case& c : {Case{kBuy, "买入"}, Case{kSell, "卖出"}}) {
        host->Clear();
        ClickAt(CentreOf(Control(c.button)));
        ASSERT_TRUE(PumpUntil([&] { return host->Count(WM_ORDER_REQUEST) == 1; }, 10000)) << c.direction;
        HostMessage request = host->Last(WM_ORDER_REQUEST);
        EXPECT_FALSE(request.toContainer) << "the ticket goes past the container to the host";
        EXPECT_STREQ(c.direction, request.ticket.direction);
        EXPECT_STREQ("限价", request.ticket.priceType);
        EXPECT_STREQ("300", request.ticket.quantity);
        EXPECT_STREQ("600000", request.ticket.code);
        EXPECT_STREQ("10.20", request.ticket.price);
        EXPECT_STREQ("0.01", request.ticket.priceStep);
    }
    Screenshot shot = CaptureAndSave(form, "trading_order_form.png");
    EXPECT_FALSE(shot.IsEmpty());
}

TEST_F(OrderWindow, SpinDrawsItsStateImages)
{
    Push(Instrument("600000", "浦发银行", "10.20"));
    ChoosePriceType(1);
    HWND spin = Control(kPriceSpin);
    const COLORREF normal = RGB(0xE6, 0xF0, 0xFA), hover = RGB(0xFF, 0xC8, 0x64);
    RECT client;
    ::GetClientRect(spin, &client);
    const int x = 2, upperY = 3, lowerY = client.bottom - 4;
    Screenshot before = CaptureAndSave(spin, "trading_spin_normal.png");
    EXPECT_EQ(normal, before.PixelAt(x, upperY));
    EXPECT_EQ(normal, before.PixelAt(x, lowerY));

    RECT screen;
    ::GetWindowRect(spin, &screen);
    ::SetCursorPos(screen.left + x + 2, screen.top + upperY);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &move, sizeof(move));
    ASSERT_TRUE(PumpUntil([&] { return Screenshot::CaptureClient(spin).PixelAt(x, upperY) == hover; }, 10000));
    Screenshot hovered = CaptureAndSave(spin, "trading_spin_upper_hover.png");
    EXPECT_EQ(normal, hovered.PixelAt(x, lowerY));
}

TEST_F(OrderWindow, CollapseButtonFlipsAndTellsTheContainer)
{
    HWND collapse = Control(kCollapse);
    EXPECT_STREQ("<", TextOf(collapse));
    ClickAt(CentreOf(collapse));
    ASSERT_TRUE(PumpUntil([&] { return host->Count(WM_PLATFORM_COLLAPSE) == 1; }, 10000));
    EXPECT_TRUE(host->Last(WM_PLATFORM_COLLAPSE).toContainer);
    EXPECT_EQ(1u, host->Last(WM_PLATFORM_COLLAPSE).wParam);
    EXPECT_STREQ(">", TextOf(collapse));
    ClickAt(CentreOf(collapse));
    ASSERT_TRUE(PumpUntil([&] { return host->Count(WM_PLATFORM_COLLAPSE) == 2; }, 10000));
    EXPECT_EQ(0u, host->Last(WM_PLATFORM_COLLAPSE).wParam);
    EXPECT_STREQ("<", TextOf(collapse));
}

}  // namespace
