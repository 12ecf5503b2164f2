// The HTML pane in a window: the page it shows, links followed by mouse messages, commands
// for the dialog, the user's browser through the shell hook, the context-menu rule, a view
// without a document, and the pixels of a notice.
#include "controls_test_host.h"

#include "HtmlPane.h"

#include <afxshell.h>

#include <testsupport/Pump.h>

#include <gtest/gtest.h>

#include <richedit.h>

#include <string>
#include <vector>

using tolvan::test::PumpPending;
using tolvan::test::PumpUntil;
using tolvan::test::Screenshot;

namespace {

const UINT kPaneId = 1097;

struct ShellCall {
    std::string verb;
    std::string file;
    INT show;
};
std::vector<ShellCall> g_shellCalls;

HINSTANCE CALLBACK RecordShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT show)
{
    g_shellCalls.push_back(ShellCall{ verb != NULL ? verb : "", file != NULL ? file : "", show });
    return reinterpret_cast<HINSTANCE>(33);
}

// Remembers the status texts the pane was told, on top of what the pane does with them.
class RecordingPane : public CHtmlPane
{
public:
    void OnStatusTextChange(LPCTSTR lpszText) override
    {
        statusTexts.push_back(lpszText);
        CHtmlPane::OnStatusTextChange(lpszText);
    }
    std::vector<std::string> statusTexts;
};

class HtmlPaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_shellCalls.clear();
        previousHook = AfxSetShellExecuteHook(RecordShellExecute);
        ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 12, 400, 300, host.m_hWnd,
                          reinterpret_cast<HMENU>((UINT_PTR)kPaneId), NULL, NULL);
        ASSERT_TRUE(pane.CreateFromStatic(kPaneId, &host));
        PumpPending();
    }
    void TearDown() override { AfxSetShellExecuteHook(previousHook); }

    CRichEditCtrl& Document() { return *pane.GetDocumentWindow(); }
    std::string Text(LONG cpMin, LONG cpMax)
    {
        std::string buffer((size_t)(cpMax - cpMin) * 2 + 2, '\0');
        TEXTRANGEA range = { { cpMin, cpMax }, &buffer[0] };
        Document().SendMessage(EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
        return buffer.c_str();
    }
    std::string PageText() { return Text(0, Document().GetTextLengthEx(GTL_NUMCHARS)); }
    // A point inside the link's first character, in the document window's client area.
    LPARAM PointOnLink(size_t index)
    {
        CPoint point = Document().GetCharPos(pane.GetLinks().at(index).cpMin);
        return MAKELPARAM(point.x + 2, point.y + 4);
    }
    void MoveTo(LPARAM point) { Document().SendMessage(WM_MOUSEMOVE, 0, point); }
    void Click(LPARAM point)
    {
        MoveTo(point);
        Document().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
        Document().SendMessage(WM_LBUTTONUP, 0, point);
    }
    std::vector<WPARAM> CommandsPosted()
    {
        std::vector<WPARAM> ids;
        for (const HostMessage& message : host.MessagesOf(WM_COMMAND))
            ids.push_back(message.wParam);
        return ids;
    }

    AFX_SHELLEXECUTE_HOOK previousHook = nullptr;
    ControlHost host{ RECT{ 20, 20, 520, 420 } };
    RecordingPane pane;
};

TEST_F(HtmlPaneTest, TakesThePlaceholdersPlaceAndId)
{
    EXPECT_EQ(host.ChildRect(pane), CRect(10, 12, 410, 312));
    EXPECT_EQ(pane.GetDlgCtrlID(), (int)kPaneId);
    EXPECT_EQ(host.GetDlgItem(kPaneId), &pane);
    char className[64] = "";
    ::GetClassNameA(Document().m_hWnd, className, sizeof(className));
    EXPECT_STREQ(className, AFX_HTML_DOCUMENT_CLASS);

    CHtmlPane other;
    EXPECT_FALSE(other.CreateFromStatic(4321, &host));
    EXPECT_FALSE(other.CreateFromStatic(kPaneId, NULL));
}

TEST_F(HtmlPaneTest, SetHtmlReplacesTheWholePage)
{
    ASSERT_TRUE(pane.SetHtml("<p>\xB5\xDA\xD2\xBB\xD2\xB3 <a href='app:one'>one</a></p>"));
    EXPECT_EQ(PageText(), "\xB5\xDA\xD2\xBB\xD2\xB3 one");
    ASSERT_TRUE(pane.SetHtml("<h2>\xB5\xDA\xB6\xFE</h2><p><a href='app:two'>two</a></p>"));
    EXPECT_EQ(PageText(), "\xB5\xDA\xB6\xFE\rtwo");
    ASSERT_EQ(pane.GetLinks().size(), 1u);
    EXPECT_STREQ(pane.GetLinks()[0].strHref, "app:two");
}

TEST_F(HtmlPaneTest, LinksCoverTheirOwnCharactersInTheDocument)
{
    ASSERT_TRUE(pane.SetHtml(
        "<h1>\xB9\xAB\xB8\xE6</h1><p>\xC7\xEB<br><a href='http://a.cn'>\xB5\xE3\xBB\xF7</a></p>"
        "<ol><li>x <b>y</b> <a href='app:z'>z<i>z</i></a></ol>"
        "<table><tr><td>c1</td><td><a href='app:c2'>c2</a></td></tr></table><pre> p\n<a href='app:p'>pre</a></pre>"));
    const std::vector<AFX_HTML_LINK>& links = pane.GetLinks();
    const char* texts[] = { "\xB5\xE3\xBB\xF7", "zz", "c2", "pre" };
    ASSERT_EQ(links.size(), 4u);
    for (size_t i = 0; i < links.size(); ++i) {
        EXPECT_EQ(Text(links[i].cpMin, links[i].cpMax), texts[i]) << links[i].strHref;
        Document().SetSel(links[i].cpMin, links[i].cpMax);
        CHARFORMAT2A format = {};
        format.cbSize = sizeof(format);
        Document().SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        EXPECT_TRUE((format.dwMask & CFM_LINK) && (format.dwEffects & CFE_LINK)) << texts[i];
    }
}

TEST_F(HtmlPaneTest, AppLinksPostEveryCommandOfTheirName)
{
    static const HtmlPaneCommand commands[] = {
        { "hidenotice", 1098 }, { "close", 1066 }, { "HideNotice", 2001 }, { NULL, 0 } };
    pane.SetCommandTable(commands);
    ASSERT_TRUE(pane.SetHtml("<p><a href='APP:hideNOTICE'>hide</a> <a href='app:close'>close</a> "
                             "<a href='app:unknown'>other</a></p>"));
    Click(PointOnLink(0));
    ASSERT_TRUE(PumpUntil([&] { return CommandsPosted().size() >= 2; }));
    EXPECT_EQ(CommandsPosted(), (std::vector<WPARAM>{ 1098, 2001 }));
    for (const HostMessage& message : host.MessagesOf(WM_COMMAND))
        EXPECT_EQ(message.lParam, 0);

    host.Clear();
    Click(PointOnLink(2));
    Click(PointOnLink(1));
    ASSERT_TRUE(PumpUntil([&] { return !CommandsPosted().empty(); }));
    EXPECT_EQ(CommandsPosted(), (std::vector<WPARAM>{ 1066 }));
    EXPECT_TRUE(g_shellCalls.empty()) << "an app: link never leaves the program";

    // Without a table a command link does nothing.
    pane.SetCommandTable(NULL);
    host.Clear();
    pane.OnAppCmd("close");
    PumpPending();
    EXPECT_TRUE(CommandsPosted().empty());
}

TEST_F(HtmlPaneTest, HoverTellsTheLinkAddressAndLeavingClearsIt)
{
    ASSERT_TRUE(pane.SetHtml("<p>text before the link, long enough to point at</p>"
                             "<p><a href='http://news.cn/\xD6\xD0'>news</a></p>"));
    MoveTo(PointOnLink(0));
    EXPECT_STREQ(pane.GetStatusText(), "http://news.cn/\xD6\xD0");
    CPoint plain = Document().GetCharPos(3);
    MoveTo(MAKELPARAM(plain.x + 2, plain.y + 4));
    EXPECT_STREQ(pane.GetStatusText(), "");
    EXPECT_EQ(pane.statusTexts, (std::vector<std::string>{ "http://news.cn/\xD6\xD0", "" }));
}

TEST_F(HtmlPaneTest, NewWindowLinksOpenOnlyTheirOwnWebAddressInTheBrowser)
{
    ASSERT_TRUE(pane.SetHtml("<p><a href='http://stale.cn'>stale</a></p>"
                             "<p><a target=_blank href='HTTPS://news.cn/a?b=1'>news</a></p>"
                             "<p><a target=other href='file:///c:/windows/notepad.exe'>file</a></p>"
                             "<p><a target=_blank href='app:close'>cmd</a></p>"));
    MoveTo(PointOnLink(0));   // the status text now names another link
    LPARAM news = PointOnLink(1);
    Document().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, news);
    Document().SendMessage(WM_LBUTTONUP, 0, news);
    ASSERT_TRUE(PumpUntil([] { return !g_shellCalls.empty(); }));
    ASSERT_EQ(g_shellCalls.size(), 1u);
    EXPECT_EQ(g_shellCalls[0].verb, "open");
    EXPECT_EQ(g_shellCalls[0].file, "HTTPS://news.cn/a?b=1");
    EXPECT_EQ(g_shellCalls[0].show, SW_SHOWNORMAL);

    static const HtmlPaneCommand commands[] = { { "close", 1066 }, { NULL, 0 } };
    pane.SetCommandTable(commands);
    Click(PointOnLink(2));
    Click(PointOnLink(3));
    // A marker click that does reach the shell tells when the clicks above were handled.
    Click(PointOnLink(0));
    ASSERT_TRUE(PumpUntil([] { return g_shellCalls.size() >= 2; }));
    EXPECT_EQ(g_shellCalls.size(), 2u) << g_shellCalls.back().file;
    EXPECT_EQ(g_shellCalls.back().file, "http://stale.cn");
    EXPECT_TRUE(CommandsPosted().empty()) << "a new window is never opened, not even for app:";
}

TEST_F(HtmlPaneTest, HiddenContextMenuReachesTheDialogAsContextMenuAtTheScreenPoint)
{
    MSG down = { Document().m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(15, 25) };
    MSG up = { Document().m_hWnd, WM_RBUTTONUP, 0, MAKELPARAM(15, 25) };
    MSG menu = { Document().m_hWnd, WM_CONTEXTMENU, (WPARAM)Document().m_hWnd, MAKELPARAM(40, 50) };
    MSG elsewhere = { host.m_hWnd, WM_RBUTTONUP, 0, MAKELPARAM(15, 25) };

    EXPECT_FALSE(pane.PreTranslateMessage(&up)) << "shown menus are the page's own";
    EXPECT_EQ(host.Count(WM_CONTEXTMENU), 0u);

    pane.SetHideContextMenu(TRUE);
    EXPECT_TRUE(pane.PreTranslateMessage(&down));
    EXPECT_TRUE(pane.PreTranslateMessage(&menu));
    EXPECT_FALSE(pane.PreTranslateMessage(&elsewhere));
    EXPECT_EQ(host.Count(WM_CONTEXTMENU), 0u);
    EXPECT_TRUE(pane.PreTranslateMessage(&up));
    std::vector<HostMessage> received = host.MessagesOf(WM_CONTEXTMENU);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ((HWND)received[0].wParam, pane.m_hWnd);
    POINT expected = { 15, 25 };
    ::ClientToScreen(Document().m_hWnd, &expected);
    EXPECT_EQ((short)LOWORD(received[0].lParam), expected.x);
    EXPECT_EQ((short)HIWORD(received[0].lParam), expected.y);
}

TEST(HtmlPaneWithoutWindow, SetHtmlWithoutADocumentDoesNothing)
{
    CHtmlPane never;
    EXPECT_EQ(never.GetHtmlDocument(), nullptr);
    EXPECT_FALSE(never.SetHtml("<p>x</p>"));

    ControlHost host;
    CHtmlPane destroyed;
    ASSERT_TRUE(destroyed.Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &host, 5));
    EXPECT_TRUE(destroyed.SetHtml("<p>x</p>"));
    destroyed.DestroyWindow();
    EXPECT_EQ(destroyed.GetHtmlDocument(), nullptr);
    EXPECT_EQ(destroyed.GetDocumentWindow(), nullptr);
    EXPECT_FALSE(destroyed.SetHtml("<p>y</p>"));
}

TEST_F(HtmlPaneTest, MalformedPagesAreShown)
{
    std::string nested;
    for (int i = 0; i < 20000; ++i)
        nested += "<div><b>";
    const std::string pages[] = {
        nested + "deep",
        "<a href='app:x'>open <b>link <p>and <<<>>> stray < \xD6",
        "<div title=\"" + std::string(1024 * 1024, 'x') + "\">big</div>",
    };
    for (const std::string& page : pages)
        EXPECT_TRUE(pane.SetHtml(page.c_str()));
    EXPECT_EQ(PageText(), "big");
}

// Counts pixels near a colour (text edges are blended with the background).
size_t CountNear(const Screenshot& shot, COLORREF color, const RECT& area, int tolerance = 60)
{
    size_t count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            COLORREF pixel = shot.PixelAt(x, y);
            if (abs(GetRValue(pixel) - GetRValue(color)) <= tolerance &&
                abs(GetGValue(pixel) - GetGValue(color)) <= tolerance &&
                abs(GetBValue(pixel) - GetBValue(color)) <= tolerance)
                ++count;
        }
    }
    return count;
}

TEST_F(HtmlPaneTest, NoticeIsDrawnAsFormattedText)
{
    // A notice as the operator writes it: GBK text, a heading, a red warning, a list, a link.
    const char* notice =
        "<html><head><meta charset=gb2312><title>\xB9\xAB\xB8\xE6</title></head><body>"
        "<h2 align=center>\xCF\xB5\xCD\xB3\xCE\xAC\xBB\xA4\xB9\xAB\xB8\xE6</h2>"
        "<p>\xD7\xF0\xBE\xB4\xB5\xC4\xBF\xCD\xBB\xA7\xA3\xBA\xB1\xBE\xCF\xB5\xCD\xB3\xBD\xAB\xD3\xDA"
        "<b>12\xD4\xC2""20\xC8\xD5</b>\xBD\xF8\xD0\xD0\xCE\xAC\xBB\xA4\xA1\xA3</p>"
        "<p><font color=#ff0000>\xCE\xAC\xBB\xA4\xC6\xDA\xBC\xE4\xCD\xA3\xD6\xB9\xBD\xBB\xD2\xD7"
        "\xA3\xA1</font></p>"
        "<ul><li>\xC9\xEE\xBB\xA6 A \xB9\xC9</li><li>\xB8\xDB\xB9\xC9</li></ul>"
        "<p><a href='http://www.example.cn/notice' target=_blank>\xCF\xEA\xC7\xE9</a></p>"
        "</body></html>";
    ASSERT_TRUE(pane.SetHtml(notice));
    EXPECT_NE(PageText().find("\xCE\xAC\xBB\xA4\xC6\xDA\xBC\xE4\xCD\xA3\xD6\xB9\xBD\xBB\xD2\xD7"),
              std::string::npos) << "the GBK text comes back as it was written";

    CRect paneRect = host.ChildRect(pane);
    auto lineRect = [&](LONG cp) {
        CPoint point = Document().GetCharPos(cp);
        return CRect(paneRect.left, paneRect.top + point.y, paneRect.right,
                     paneRect.top + point.y + 12);
    };
    std::string text = PageText();
    CRect heading = lineRect(0);
    std::string beforeWarning = text.substr(0, text.find("\xCE\xAC\xBB\xA4\xC6\xDA"));
    CRect warning = lineRect(::MultiByteToWideChar(936, 0, beforeWarning.data(),
                                                   (int)beforeWarning.size(), NULL, 0));
    CRect link = lineRect(pane.GetLinks().at(0).cpMin);
    Screenshot shot = host.CaptureWhen([&](const Screenshot& s) {
        return CountNear(s, RGB(255, 0, 0), warning) > 20;
    });
    shot.SavePng("html_notice.png");
    EXPECT_GT(CountNear(shot, RGB(0, 0, 0), heading), 40u) << "heading ink";
    EXPECT_GT(CountNear(shot, RGB(255, 0, 0), warning), 20u) << "red warning";
    EXPECT_EQ(CountNear(shot, RGB(255, 0, 0), heading), 0u);
    EXPECT_GT(CountNear(shot, RGB(0, 0, 255), link), 10u) << "blue link";
    // The paragraph after the list is not indented like the list.
    CRect linkStart(link.left, link.top, link.left + 20, link.bottom);
    EXPECT_GT(CountNear(shot, RGB(0, 0, 255), linkStart), 0u);
    // The heading is centred: its ink starts well right of the pane's left edge.
    CRect leftQuarter(heading.left, heading.top, heading.left + paneRect.Width() / 4, heading.bottom);
    EXPECT_EQ(CountNear(shot, RGB(0, 0, 0), leftQuarter), 0u);
}

}  // namespace
