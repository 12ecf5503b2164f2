// The message filter's key rules and split clamp, without any window.
#include "MessageFilter.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageFilterRulesTest, KeysActOnlyWhereTheyBelong)
{
    KeyContext ownView;
    ownView.targetIsOwnView = true;
    KeyContext pageList;
    pageList.targetIsPageList = true;
    KeyContext tradeEdit;  // an order-entry field: none of the main window's windows
    KeyContext tradePanel;
    tradePanel.targetIsTradePanel = true;
    KeyContext ownedDialog;  // a control of the risk settings or the console
    ownedDialog.targetInOtherWindow = true;
    KeyContext searchOpen = ownView;
    searchOpen.smartKeyboardOpen = true;
    KeyContext noticeShown = ownView;
    noticeShown.noticeShown = true;
    KeyContext listFocused = pageList;
    listFocused.quoteListShown = listFocused.hasCurrentPage = listFocused.focusOnPageList = true;
    KeyContext stripFocused = ownView;
    stripFocused.quoteListShown = stripFocused.hasCurrentPage = stripFocused.focusOnTabStrip = true;

    struct Case {
        const char* what;
        KeyContext context;
        WPARAM key;
        KeyAction action;
    } cases[] = {
        { "Enter on a view", ownView, VK_RETURN, KeyAction::OpenView },
        { "Enter on a quote list", pageList, VK_RETURN, KeyAction::OpenView },
        { "Enter in an order field", tradeEdit, VK_RETURN, KeyAction::Default },
        { "Enter in the quick search", searchOpen, VK_RETURN, KeyAction::Default },
        { "Esc closes the quick search", searchOpen, VK_ESCAPE, KeyAction::CloseSmartKeyboard },
        { "Esc reaches the notice", noticeShown, VK_ESCAPE, KeyAction::Default },
        { "Esc on the list", pageList, VK_ESCAPE, KeyAction::OpenView },
        { "Esc in an order field", tradeEdit, VK_ESCAPE, KeyAction::OpenView },
        { "Esc in a dialog of its own", ownedDialog, VK_ESCAPE, KeyAction::Default },
        { "Enter in a dialog of its own", ownedDialog, VK_RETURN, KeyAction::Default },
        { "digit in a dialog of its own", ownedDialog, '5', KeyAction::Default },
        { "Home on a view", ownView, VK_HOME, KeyAction::Consume },
        { "Home in an edit", tradeEdit, VK_HOME, KeyAction::Default },
        { "Left on the focused list", listFocused, VK_LEFT, KeyAction::ForwardToTabStrip },
        { "Left elsewhere", ownView, VK_LEFT, KeyAction::Default },
        { "Down on the focused strip", stripFocused, VK_DOWN, KeyAction::ForwardToPageList },
        { "Down on the list", listFocused, VK_DOWN, KeyAction::Default },
        { "F12 anywhere", tradeEdit, VK_F12, KeyAction::ToggleTradePanel },
        { "letter on a view", ownView, 'A', KeyAction::OpenSmartKeyboard },
        { "digit on the trade panel", tradePanel, '6', KeyAction::OpenSmartKeyboard },
        { "keypad digit on a list", pageList, VK_NUMPAD5, KeyAction::OpenSmartKeyboard },
        { "letter in an order field", tradeEdit, 'A', KeyAction::Default },
        { "other key", ownView, VK_TAB, KeyAction::Default },
    };
    for (Case& test : cases) {
        test.context.key = test.key;
        EXPECT_EQ(DecideKey(test.context), test.action) << test.what;
    }
}

TEST(MessageFilterRulesTest, SplitStaysBetweenHundredAndTheClientHeight)
{
    EXPECT_EQ(SplitForRelease(10, 600), 100);
    EXPECT_EQ(SplitForRelease(350, 600), 350);
    EXPECT_EQ(SplitForRelease(900, 600), 600);
    EXPECT_EQ(SplitForRelease(-20, 600), 100);
}

}  // namespace
