// What the program-wide message filter needs of the main window, answered from the quote
// board and the main window's handle. The trade panel, the console, the caption buttons and
// the layout belong to other concerns of the main window: they answer through Hooks, and an
// empty hook gives the behaviour of a main window without that part.
#pragma once

#include "MessageFilter.h"

#include <functional>

class CQuoteBoard;

class CBoardFilterHost : public IMessageFilterHost
{
public:
    struct Hooks
    {
        std::function<bool(HWND)> isTradePanelWindow;  // the trade dialog or its container
        std::function<bool()> isQuoteListShown;        // empty: the list view is shown
        std::function<bool()> isTradePanelDocked;      // empty: docked
        std::function<bool()> isNoticeShown;
        std::function<void()> toggleTradePanel;
        std::function<void()> toggleConsole;
        std::function<int(int, int)> hitTestCaptionButton;
        std::function<void(int)> applySplit;
    };

    CBoardFilterHost(HWND main, CQuoteBoard& board) : m_main(main), m_board(board) {}

    HWND MainWindow() const override { return m_main; }
    HWND TabStrip() const override;
    HWND CurrentPageList() const override;
    bool IsQuotePageList(HWND hWnd) const override;
    bool IsOwnView(HWND hWnd) const override;
    bool IsTradePanelWindow(HWND hWnd) const override;
    bool IsQuoteListShown() const override;
    bool IsTradePanelDocked() const override;
    bool IsNoticeShown() const override;
    bool IsSmartKeyboardOpen() const override;
    bool OpenSmartKeyboard(const MSG& key) override;
    void ToggleTradePanel() override;
    void ToggleConsole() override;
    int HitTestCaptionButton(int x, int y) const override;
    int GetSplit() const override { return m_split; }
    void ApplySplit(int split) override;

    void SetSplit(int split) { m_split = split; }

    Hooks hooks;

private:
    HWND m_main;
    CQuoteBoard& m_board;
    int m_split = 100;
};
