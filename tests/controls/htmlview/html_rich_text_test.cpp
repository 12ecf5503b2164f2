// Pages to rich text: what each kind of markup becomes, and pages no parser should choke on.
#include <afxhtml.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const UINT kGbk = 936;

CHtmlRichText Convert(const std::string& html)
{
    return CHtmlRichText::FromHtml(html.data(), html.size(), kGbk);
}

// The document part of the RTF: what follows the colour table's line, without the closing
// brace.
std::string Body(const std::string& rtf)
{
    size_t start = rtf.find("}\r\n", rtf.find("{\\colortbl"));
    if (start == std::string::npos || rtf.empty())
        return "<no body>";
    return rtf.substr(start + 3, rtf.size() - start - 4);
}

std::string ColorTable(const std::string& rtf)
{
    size_t start = rtf.find("{\\colortbl");
    return rtf.substr(start, rtf.find("}", start) - start + 1);
}

struct Fragment {
    const char* html;
    const char* body;
};

TEST(HtmlRichText, FragmentsBecomeTheirRichText)
{
    const Fragment fragments[] = {
        { "plain  text\n\t here ", "\\pard\\li0\\sa100 {plain text here}\\par\r\n" },
        { "<p>one</p><p>two</p>", "\\pard\\li0\\sa100 {one}\\par\r\n\\pard\\li0\\sa100 {two}\\par\r\n" },
        { "<div>a<br>b<br><br>c</div>", "\\pard\\li0\\sa0 {a}\\line {b}\\line \\line {c}\\par\r\n" },
        { "<div>x <b>bold <i>both</i></b> <u>under</u></div>",
          "\\pard\\li0\\sa0 {x }{\\b bold }{\\b\\i both }{\\ul under}\\par\r\n" },
        { "<div>\\ { } &amp; &lt;</div>", "\\pard\\li0\\sa0 {\\\\ \\{ \\} & <}\\par\r\n" },
        { "<div>\xD6\xD0\xCE\xC4 &#x1F600;</div>",
          "\\pard\\li0\\sa0 {\\u20013?\\u25991? \\u-10179?\\u-8704?}\\par\r\n" },
        { "<h1>Title</h1><div>text</div>",
          "\\pard\\li0\\sa120 {\\b\\fs36 Title}\\par\r\n\\pard\\li0\\sa0 {text}\\par\r\n" },
        { "<div><font color=\"#ff0000\" size=\"5\">red</font><span style=\"color: rgb(0,128,0); "
          "font-size:16px; font-weight:bold\">green</span><font color=red>again</font></div>",
          "\\pard\\li0\\sa0 {\\cf1\\fs28 red}{\\b\\cf2\\fs24 green}{\\cf1 again}\\par\r\n" },
        { "<ul><li>first</li><li>second</li></ul><ol><li>one<li>two</ol>",
          "\\pard\\li360\\sa0 {\\u8226? first}\\par\r\n\\pard\\li360\\sa0 {\\u8226? second}\\par\r\n"
          "\\pard\\li360\\sa0 {1. one}\\par\r\n\\pard\\li360\\sa0 {2. two}\\par\r\n" },
        { "<table><tr><th>code</th><td>price</td></tr><tr><td>600000</td><td>10.5</td></tr></table>",
          "\\pard\\li0\\sa0\\tx1800\\tx3600\\tx5400\\tx7200\\tx9000\\tx10800\\tx12600\\tx14400 "
          "{\\b code}{\\tab price}\\par\r\n"
          "\\pard\\li0\\sa0\\tx1800\\tx3600\\tx5400\\tx7200\\tx9000\\tx10800\\tx12600\\tx14400 "
          "{600000\\tab 10.5}\\par\r\n" },
        { "<center>mid</center><p align=right>end</p>",
          "\\pard\\li0\\sa0\\qc {mid}\\par\r\n\\pard\\li0\\sa100\\qr {end}\\par\r\n" },
        { "<div>see <a href=\"http://x.cn/a\">this page</a> now</div>",
          "\\pard\\li0\\sa0 {see }{\\ul\\cf1 this page}{ now}\\par\r\n" },
        { "<pre>a  b\n  c</pre>", "\\pard\\li0\\sa0 {a  b}\\line {  c}\\par\r\n" },
        { "<head><title>t</title><style>p{}</style></head><script>var x;</script><div>shown</div>",
          "\\pard\\li0\\sa0 {shown}\\par\r\n" },
    };
    for (const Fragment& fragment : fragments) {
        CHtmlRichText page = Convert(fragment.html);
        EXPECT_EQ(Body(page.m_rtf), fragment.body) << fragment.html;
        EXPECT_EQ(page.m_rtf.compare(0, 6, "{\\rtf1"), 0) << fragment.html;
    }
}

TEST(HtmlRichText, ColoursAreListedOnceInTheColourTable)
{
    CHtmlRichText page = Convert("<font color=#00f>a</font><font color=\"0000ff\">b</font>"
                                 "<font color=#123456>c</font>");
    EXPECT_EQ(ColorTable(page.m_rtf), "{\\colortbl ;\\red0\\green0\\blue255;\\red18\\green52\\blue86;}");
    EXPECT_NE(page.m_rtf.find("\\ansicpg936"), std::string::npos);
    EXPECT_NE(page.m_rtf.find("\\fcharset134"), std::string::npos);
}

TEST(HtmlRichText, LinksKnowTheirCharactersAddressAndTarget)
{
    // "看 " is two characters before the first link; the list mark "• " two more.
    CHtmlRichText page = Convert(
        "<p>\xBF\xB4 <a href=' app:Refresh '>\xCB\xA2\xD0\xC2</a></p>"
        "<ul><li><a target=_blank href=\"https://x.cn/?q=\xD6\xD0\">go</a></li></ul>"
        "<a name=anchor>no address</a><a href=http://empty.cn></a>");
    ASSERT_EQ(page.m_links.size(), 2u);
    EXPECT_EQ(page.m_links[0].cpMin, 2);
    EXPECT_EQ(page.m_links[0].cpMax, 4);
    EXPECT_STREQ(page.m_links[0].strHref, "app:Refresh");
    EXPECT_STREQ(page.m_links[0].strTarget, "");
    // After "看 刷新" and its paragraph mark come the list mark and the link.
    EXPECT_EQ(page.m_links[1].cpMin, 7);
    EXPECT_EQ(page.m_links[1].cpMax, 9);
    EXPECT_STREQ(page.m_links[1].strHref, "https://x.cn/?q=\xD6\xD0");
    EXPECT_STREQ(page.m_links[1].strTarget, "_blank");
}

// Braces outside escapes must pair up, or the control drops the rest of the page.
bool BracesBalance(const std::string& rtf)
{
    int depth = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        if (rtf[i] == '{')
            ++depth;
        else if (rtf[i] == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

TEST(HtmlRichText, MalformedPagesStillBecomeRichText)
{
    std::string nested;
    for (int i = 0; i < 100000; ++i)
        nested += (i % 2) ? "<div>" : "<b>";
    nested += "deep";
    const std::string pages[] = {
        "<div><b>unclosed <i>tags <a href='http://x'>link",
        "a < b and c<d, 1<2 > 0 <",
        "</p></div></b>closing only</table></tr>",
        std::string("nul\0inside\0<b>bold\0</b>", 24),
        "<div title=\"" + std::string(4 * 1024 * 1024, 'x') + "\">huge attribute</div>",
        "<a href=\"" + std::string(1024 * 1024, 'h') + "\">huge address</a>",
        nested,
        "<table><td>cell<tr><td><table><td>inner</table><li>item</ol>",
        "&#0; &#xD800; &#99999999; &bogus; &amp",
        "\xD6",                       // a lead byte with nothing after it
        "\x81\x30\xFF\xFE\x80 bytes",
        "<font size=99 color='rgb(999,-5'>x</font><span style=';;:color;font-size:-4px;:'>y</span>",
        "",
    };
    for (const std::string& html : pages) {
        CHtmlRichText page = Convert(html);
        EXPECT_TRUE(BracesBalance(page.m_rtf)) << html.substr(0, 80);
        for (const AFX_HTML_LINK& link : page.m_links)
            EXPECT_LT(link.cpMin, link.cpMax);
    }
    EXPECT_NE(Convert(std::string("nul\0inside", 10)).m_rtf.find("{nulinside}"), std::string::npos);
}

}  // namespace
