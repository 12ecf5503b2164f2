// The program-wide message filter of the application's message pre-translation: the
// splitter between the quote area and the docked trade panel, the main window's keyboard
// shortcuts, the caption buttons' commands for the trade panel and the console, and no
// double clicks on caption buttons. What it needs of the main window comes through
// IMessageFilterHost, which the main window implements; the rules run without it.
#pragma once

#include <winsock2.h>
#include <windows.h>

#define WM_SPLITTER_CURSOR   11045
#define WM_KEY_OPEN_VIEW     11075

class IMessageFilterHost
{
public:
    virtual ~IMessageFilterHost() = default;
    virtual HWND MainWindow() const = 0;
    virtual HWND TabStrip() const = 0;
    // The list of the quote page shown now; NULL when there is none.
    virtual HWND CurrentPageList() const = 0;
    // The list of any quote page (shown or not).
    virtual bool IsQuotePageList(HWND hWnd) const = 0;
    // The main window's own views (see IsAmongOwnViews).
    virtual bool IsOwnView(HWND hWnd) const = 0;
    // The trade dialog and the trading container window themselves (not their children).
    virtual bool IsTradePanelWindow(HWND hWnd) const = 0;
    // Offers a message of a window inside the trade panel to the panel before the window and
    // its parents see it; TRUE when the panel took it. Any other message: FALSE.
    virtual BOOL PreTranslateInTradePanel(MSG* pMsg) = 0;
    virtual bool IsQuoteListShown() const = 0;
    virtual bool IsTradePanelDocked() const = 0;
    virtual bool IsNoticeShown() const = 0;
    virtual bool IsSmartKeyboardOpen() const = 0;
    // Opens the quick search with the key; true when it took the key.
    virtual bool OpenSmartKeyboard(const MSG& key) = 0;
    virtual void ToggleTradePanel() = 0;
    virtual void ToggleConsole() = 0;
    // The caption button under a point in window coordinates, -1 for none.
    virtual int HitTestCaptionButton(int x, int y) const = 0;
    // Keeps the new split and lays the whole main window out for it.
    virtual void ApplySplit(int split) = 0;
};

// The windows of the main window's own over which its keys act; null where one does not
// exist.
struct OwnViews
{
    enum { kChartWindows = 6 };
    HWND main = NULL;
    HWND toolbar = NULL;  // with its direct children, the toolbar's buttons
    HWND tabStrip = NULL;
    HWND statusBar = NULL;
    // The candlestick and the trend host, each with its chart and its depth window.
    HWND chartWindows[kChartWindows] = {};
};

// Whether the window is one of the listed views. Being owned by the main window makes
// nothing a view: the controls of the dialogs it owns (risk settings, console, notice) keep
// their keys.
bool IsAmongOwnViews(HWND hWnd, const OwnViews& views);

// What the filter does with a key.
enum class KeyAction {
    Default,             // the message goes on
    Consume,             // swallowed, nothing done
    OpenView,            // WM_KEY_OPEN_VIEW with the key's wParam (0 Enter, 1 Esc); consumed
    CloseSmartKeyboard,  // WM_CLOSE to the quick search; consumed
    ToggleTradePanel,    // consumed
    ForwardToTabStrip,   // the same message to the tab strip, then on
    ForwardToPageList,   // the same message to the current page's list, then on
    OpenSmartKeyboard,   // consumed when the quick search took the key, else on
};

struct KeyContext {
    WPARAM key = 0;
    bool smartKeyboardOpen = false;
    bool noticeShown = false;
    // The key's window lies in a top-level window other than the main window and the trade
    // panel: a dialog of its own (risk settings, console, order detail).
    bool targetInOtherWindow = false;
    bool targetIsOwnView = false;     // the key's window is one of the main window's views
    bool targetIsTradePanel = false;  // the trade dialog or the container window itself
    bool targetIsPageList = false;    // the list of any quote page
    bool quoteListShown = false;
    bool hasCurrentPage = false;
    bool focusOnPageList = false;
    bool focusOnTabStrip = false;
};

KeyAction DecideKey(const KeyContext& context);

// The split a drag released at client y gives: at least 100 and at most the client height.
int SplitForRelease(int clientY, int clientHeight);

class CMessageFilter
{
public:
    explicit CMessageFilter(IMessageFilterHost& host) : m_host(host) {}
    ~CMessageFilter();
    CMessageFilter(const CMessageFilter&) = delete;
    CMessageFilter& operator=(const CMessageFilter&) = delete;

    // TRUE when the message was consumed.
    BOOL PreTranslate(MSG* pMsg);
    bool IsDragging() const { return m_dragging; }

    static const char kSmartKeyboardTitle[];

private:
    BOOL ApplyRules(MSG* pMsg);
    BOOL OnKeyDown(MSG* pMsg);
    BOOL OnSplitterMessage(MSG* pMsg);
    bool InSplitterBand(POINT screen) const;
    void TakeDragImage();
    void DrawDragLine(int clientY);
    void FreeDragImage();

    IMessageFilterHost& m_host;
    bool m_dragging = false;
    HDC m_dragDC = NULL;
    HBITMAP m_dragBitmap = NULL;
    HGDIOBJ m_oldDragBitmap = NULL;
};
