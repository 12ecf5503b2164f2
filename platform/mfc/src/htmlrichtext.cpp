// HTML to rich text: libxml2 parses (and repairs) the page, a walk over its tree writes RTF.
// The walk keeps its own stack instead of recursing, so a page nested a million levels deep
// costs memory, not the thread's stack.
#include "wincore.h"

#include <afxhtml.h>

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// ----- text conversions

std::wstring ToWide(const char* data, size_t length, UINT codePage)
{
    // NULs would end the parser's input early; a page never means them.
    std::string bytes;
    bytes.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        if (data[i] != '\0')
            bytes.push_back(data[i]);
    }
    if (bytes.empty() || bytes.size() > INT_MAX)
        return std::wstring();
    int count = ::MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), NULL, 0);
    std::wstring wide(count > 0 ? count : 0, L'\0');
    if (count > 0)
        ::MultiByteToWideChar(codePage, 0, bytes.data(), (int)bytes.size(), &wide[0], count);
    return wide;
}

std::string WideToBytes(const std::wstring& wide, UINT codePage)
{
    if (wide.empty() || wide.size() > INT_MAX / 4)
        return std::string();
    int count = ::WideCharToMultiByte(codePage, 0, wide.data(), (int)wide.size(), NULL, 0,
                                      NULL, NULL);
    std::string bytes(count > 0 ? count : 0, '\0');
    if (count > 0)
        ::WideCharToMultiByte(codePage, 0, wide.data(), (int)wide.size(), &bytes[0], count,
                              NULL, NULL);
    return bytes;
}

std::wstring Utf8ToWide(const xmlChar* text)
{
    if (text == NULL)
        return std::wstring();
    return ToWide(reinterpret_cast<const char*>(text), strlen(reinterpret_cast<const char*>(text)),
                  CP_UTF8);
}

// ----- attribute values

std::string Attribute(xmlNode* node, const char* name)
{
    xmlChar* value = xmlGetProp(node, BAD_CAST name);
    if (value == NULL)
        return std::string();
    std::string text(reinterpret_cast<const char*>(value));
    xmlFree(value);
    return text;
}

bool HasAttribute(xmlNode* node, const char* name)
{
    return xmlHasProp(node, BAD_CAST name) != NULL;
}

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r\n\f");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t\r\n\f");
    return text.substr(first, last - first + 1);
}

std::string Lower(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    }
    return text;
}

struct NamedColor {
    const char* name;
    COLORREF color;
};

const NamedColor kNamedColors[] = {
    { "black", RGB(0, 0, 0) },        { "white", RGB(255, 255, 255) },
    { "red", RGB(255, 0, 0) },        { "green", RGB(0, 128, 0) },
    { "blue", RGB(0, 0, 255) },       { "yellow", RGB(255, 255, 0) },
    { "gray", RGB(128, 128, 128) },   { "grey", RGB(128, 128, 128) },
    { "silver", RGB(192, 192, 192) }, { "maroon", RGB(128, 0, 0) },
    { "purple", RGB(128, 0, 128) },   { "fuchsia", RGB(255, 0, 255) },
    { "lime", RGB(0, 255, 0) },       { "olive", RGB(128, 128, 0) },
    { "navy", RGB(0, 0, 128) },       { "teal", RGB(0, 128, 128) },
    { "aqua", RGB(0, 255, 255) },     { "orange", RGB(255, 165, 0) },
};

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool ParseHexColor(const std::string& hex, COLORREF& color)
{
    for (char c : hex) {
        if (HexDigit(c) < 0)
            return false;
    }
    if (hex.size() == 3) {
        int r = HexDigit(hex[0]), g = HexDigit(hex[1]), b = HexDigit(hex[2]);
        color = RGB(r * 17, g * 17, b * 17);
        return true;
    }
    if (hex.size() == 6) {
        color = RGB(HexDigit(hex[0]) * 16 + HexDigit(hex[1]), HexDigit(hex[2]) * 16 + HexDigit(hex[3]),
                    HexDigit(hex[4]) * 16 + HexDigit(hex[5]));
        return true;
    }
    return false;
}

bool ParseColor(const std::string& value, COLORREF& color)
{
    std::string text = Lower(Trim(value));
    if (text.empty())
        return false;
    if (text[0] == '#')
        return ParseHexColor(text.substr(1), color);
    if (text.compare(0, 4, "rgb(") == 0) {
        int r = 0, g = 0, b = 0;
        if (sscanf(text.c_str() + 4, "%d , %d , %d", &r, &g, &b) != 3)
            return false;
        color = RGB(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        return true;
    }
    for (const NamedColor& named : kNamedColors) {
        if (text == named.name) {
            color = named.color;
            return true;
        }
    }
    // Old pages write the digits without the "#".
    return ParseHexColor(text, color);
}

// ----- formats

const int kBaseHalfPoints = 18;   // 9 points, the size of the program's other texts
const int kIndentTwips = 360;
const int kCellTabTwips = 1800;
const COLORREF kAutoColor = CLR_INVALID;
const COLORREF kLinkColor = RGB(0, 0, 255);

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    COLORREF color = kAutoColor;
    int halfPoints = kBaseHalfPoints;
    int link = -1;

    bool operator==(const CharFormat& other) const
    {
        return bold == other.bold && italic == other.italic && underline == other.underline &&
               color == other.color && halfPoints == other.halfPoints;
    }
};

enum Align { AlignLeft, AlignCenter, AlignRight };

struct BlockFormat {
    int indent = 0;
    Align align = AlignLeft;
    int spaceAfter = 0;
    bool cellTabs = false;
};

int FontSizeHalfPoints(const std::string& value)
{
    // The seven sizes of <font size>, "3" being the normal text.
    static const int kSizes[] = { 14, 16, 18, 22, 28, 36, 54 };
    std::string text = Trim(value);
    if (text.empty())
        return -1;
    int size = atoi(text.c_str());
    if (text[0] == '+' || text[0] == '-')
        size += 3;
    size = std::clamp(size, 1, 7);
    return kSizes[size - 1];
}

int CssSizeHalfPoints(const std::string& value)
{
    double number = atof(value.c_str());
    if (number <= 0)
        return -1;
    int halfPoints;
    if (value.find("pt") != std::string::npos)
        halfPoints = (int)(number * 2 + 0.5);
    else if (value.find("em") != std::string::npos)
        halfPoints = (int)(number * kBaseHalfPoints + 0.5);
    else   // px: three quarters of a point each
        halfPoints = (int)(number * 1.5 + 0.5);
    return std::clamp(halfPoints, 2, 400);
}

bool ParseAlign(const std::string& value, Align& align)
{
    std::string text = Lower(Trim(value));
    if (text == "center" || text == "middle")
        align = AlignCenter;
    else if (text == "right")
        align = AlignRight;
    else if (text == "left" || text == "justify")
        align = AlignLeft;
    else
        return false;
    return true;
}

void ApplyStyle(const std::string& style, CharFormat& chars, BlockFormat& block)
{
    size_t start = 0;
    while (start <= style.size()) {
        size_t end = style.find(';', start);
        if (end == std::string::npos)
            end = style.size();
        std::string declaration = style.substr(start, end - start);
        start = end + 1;
        size_t colon = declaration.find(':');
        if (colon == std::string::npos)
            continue;
        std::string name = Lower(Trim(declaration.substr(0, colon)));
        std::string value = Lower(Trim(declaration.substr(colon + 1)));
        if (name == "color") {
            ParseColor(value, chars.color);
        } else if (name == "font-size") {
            int size = CssSizeHalfPoints(value);
            if (size > 0)
                chars.halfPoints = size;
        } else if (name == "font-weight") {
            chars.bold = value == "bold" || value == "bolder" || atoi(value.c_str()) >= 600;
        } else if (name == "font-style") {
            chars.italic = value == "italic" || value == "oblique";
        } else if (name == "text-decoration") {
            chars.underline = value.find("underline") != std::string::npos;
        } else if (name == "text-align") {
            ParseAlign(value, block.align);
        }
    }
}

// ----- the RTF writer

class RtfWriter {
public:
    explicit RtfWriter(std::vector<AFX_HTML_LINK>& links) : m_links(links) {}

    void Text(const std::wstring& text, const CharFormat& chars, const BlockFormat& block,
              bool preformatted)
    {
        for (wchar_t c : text) {
            if (preformatted) {
                if (c == L'\r')
                    continue;
                if (c == L'\n') {
                    LineBreak(block);
                    continue;
                }
            } else if (c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f') {
                if (!m_atLineStart)
                    m_pendingSpace = true;
                continue;
            }
            if (c < 0x20 && c != L'\t')
                continue;
            Char(c, chars, block);
        }
    }

    // Starts the next paragraph unless the current one is empty.
    void EndParagraph()
    {
        if (!m_paragraphOpen)
            return;
        CloseRun();
        m_body += "\\par\r\n";
        ++m_cp;
        m_paragraphOpen = false;
        m_atLineStart = true;
        m_pendingSpace = false;
    }

    void LineBreak(const BlockFormat& block)
    {
        OpenParagraph(block);
        CloseRun();
        m_body += "\\line ";
        ++m_cp;
        m_atLineStart = true;
        m_pendingSpace = false;
    }

    // A tab between table cells (none before a row's first cell).
    void CellSeparator(const BlockFormat& block, const CharFormat& chars)
    {
        m_pendingSpace = false;
        Char(L'\t', chars, block);
        m_atLineStart = true;
    }

    void Prefix(const std::wstring& text, const CharFormat& chars, const BlockFormat& block)
    {
        CharFormat plain = chars;
        plain.link = -1;
        for (wchar_t c : text)
            Char(c, plain, block);
        m_atLineStart = true;
    }

    std::string Finish(UINT codePage)
    {
        CloseRun();
        CHARSETINFO charset = {};
        UINT charsetId = DEFAULT_CHARSET;
        if (::TranslateCharsetInfo(reinterpret_cast<DWORD*>((DWORD_PTR)codePage), &charset,
                                   TCI_SRCCODEPAGE))
            charsetId = charset.ciCharset;
        char header[200];
        snprintf(header, sizeof(header),
                 "{\\rtf1\\ansi\\ansicpg%u\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset%u SimSun;}}",
                 codePage, charsetId);
        std::string rtf = header;
        rtf += "{\\colortbl ;";
        for (COLORREF color : m_colors) {
            char entry[48];
            snprintf(entry, sizeof(entry), "\\red%d\\green%d\\blue%d;", GetRValue(color),
                     GetGValue(color), GetBValue(color));
            rtf += entry;
        }
        rtf += "}\r\n";
        rtf += m_body;
        rtf += "}";
        return rtf;
    }

private:
    void OpenParagraph(const BlockFormat& block)
    {
        if (m_paragraphOpen)
            return;
        CloseRun();
        char codes[64];
        snprintf(codes, sizeof(codes), "\\pard\\li%d\\sa%d", block.indent, block.spaceAfter);
        m_body += codes;
        if (block.align == AlignCenter)
            m_body += "\\qc";
        else if (block.align == AlignRight)
            m_body += "\\qr";
        if (block.cellTabs) {
            for (int stop = 1; stop <= 8; ++stop) {
                snprintf(codes, sizeof(codes), "\\tx%d", block.indent + stop * kCellTabTwips);
                m_body += codes;
            }
        }
        m_body += ' ';
        m_paragraphOpen = true;
        m_atLineStart = true;
    }

    void Char(wchar_t c, const CharFormat& chars, const BlockFormat& block)
    {
        OpenParagraph(block);
        if (m_pendingSpace) {
            // The space between words belongs to neither word's link.
            // The space between words takes the format of the text before it, unless that
            // is a link: a space belongs to neither word's link.
            CharFormat between = m_runOpen && m_run.link < 0 ? m_run : chars;
            between.link = -1;
            Emit(L' ', between);
            m_pendingSpace = false;
        }
        Emit(c, chars);
        m_atLineStart = false;
    }

    void Emit(wchar_t c, const CharFormat& chars)
    {
        if (!m_runOpen || !(m_run == chars)) {
            CloseRun();
            OpenRun(chars);
        }
        if (c == L'\t') {
            m_body += "\\tab ";
        } else if (c < 0x80) {
            if (c == L'\\' || c == L'{' || c == L'}')
                m_body += '\\';
            m_body += (char)c;
        } else {
            char code[16];
            snprintf(code, sizeof(code), "\\u%d?", (int)(short)c);
            m_body += code;
        }
        if (chars.link >= 0 && chars.link < (int)m_links.size()) {
            AFX_HTML_LINK& link = m_links[chars.link];
            if (link.cpMin < 0)
                link.cpMin = m_cp;
            link.cpMax = m_cp + 1;
        }
        ++m_cp;
    }

    void OpenRun(const CharFormat& chars)
    {
        m_body += '{';
        if (chars.bold)
            m_body += "\\b";
        if (chars.italic)
            m_body += "\\i";
        if (chars.underline)
            m_body += "\\ul";
        if (chars.color != kAutoColor) {
            m_body += "\\cf";
            m_body += std::to_string(ColorIndex(chars.color));
        }
        if (chars.halfPoints != kBaseHalfPoints) {
            m_body += "\\fs";
            m_body += std::to_string(chars.halfPoints);
        }
        // The space ends the last control word; after a bare brace it would be text.
        if (m_body.back() != '{')
            m_body += ' ';
        m_run = chars;
        m_runOpen = true;
    }

    void CloseRun()
    {
        if (m_runOpen)
            m_body += '}';
        m_runOpen = false;
    }

    int ColorIndex(COLORREF color)
    {
        auto found = std::find(m_colors.begin(), m_colors.end(), color);
        if (found != m_colors.end())
            return (int)(found - m_colors.begin()) + 1;
        m_colors.push_back(color);
        return (int)m_colors.size();
    }

    std::vector<AFX_HTML_LINK>& m_links;
    std::vector<COLORREF> m_colors;
    std::string m_body;
    LONG m_cp = 0;
    bool m_paragraphOpen = false;
    bool m_atLineStart = true;
    bool m_pendingSpace = false;
    bool m_runOpen = false;
    CharFormat m_run;
};

// ----- the walk

enum ListKind { NoList, Bullets, Numbers };

struct State {
    CharFormat chars;
    BlockFormat block;
    bool preformatted = false;
    ListKind list = NoList;
    int listCount = 0;
    int cellCount = 0;   // cells begun in the current table row
};

struct Frame {
    xmlNode* element;   // NULL for the document
    xmlNode* next;      // the next child to visit
    State state;
    bool block;
};

bool IsOneOf(const char* name, std::initializer_list<const char*> names)
{
    for (const char* candidate : names) {
        if (strcmp(name, candidate) == 0)
            return true;
    }
    return false;
}

bool IsSkipped(const char* name)
{
    return IsOneOf(name, { "head", "script", "style", "title", "template", "iframe", "object",
                           "select", "textarea" });
}

bool IsBlock(const char* name)
{
    return IsOneOf(name, { "p", "div", "center", "blockquote", "pre", "address", "section",
                           "article", "header", "footer", "nav", "aside", "main", "figure",
                           "form", "fieldset", "dl", "dt", "dd", "ul", "ol", "li", "table",
                           "tr", "caption", "hr", "h1", "h2", "h3", "h4", "h5", "h6",
                           "body", "html" });
}

class PageWriter {
public:
    PageWriter(std::vector<AFX_HTML_LINK>& links, UINT codePage)
        : m_links(links), m_writer(links), m_codePage(codePage)
    {
    }

    std::string Write(xmlDoc* document)
    {
        std::vector<Frame> stack;
        if (document != NULL)
            stack.push_back(Frame{ NULL, document->children, State(), false });
        while (!stack.empty()) {
            xmlNode* node = stack.back().next;
            if (node == NULL) {
                Leave(stack.back());
                stack.pop_back();
                continue;
            }
            stack.back().next = node->next;
            if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
                const State& state = stack.back().state;
                m_writer.Text(Utf8ToWide(node->content), state.chars, state.block,
                              state.preformatted);
            } else if (node->type == XML_ELEMENT_NODE && node->name != NULL) {
                Frame frame{ node, node->children, stack.back().state, false };
                if (Enter(node, frame, stack.back()))
                    stack.push_back(frame);
            }
        }
        // Links without a character of their own cannot be clicked.
        m_links.erase(std::remove_if(m_links.begin(), m_links.end(),
                                     [](const AFX_HTML_LINK& link) { return link.cpMin < 0; }),
                      m_links.end());
        return m_writer.Finish(m_codePage);
    }

private:
    // Applies the element to the frame's state; false when its content is not shown.
    bool Enter(xmlNode* node, Frame& frame, Frame& parent)
    {
        const char* name = reinterpret_cast<const char*>(node->name);
        if (IsSkipped(name))
            return false;
        State& state = frame.state;
        state.cellCount = 0;
        Align align;
        if (HasAttribute(node, "align") && ParseAlign(Attribute(node, "align"), align))
            state.block.align = align;

        if (strcmp(name, "br") == 0) {
            m_writer.LineBreak(parent.state.block);
            return false;
        }
        if (IsOneOf(name, { "b", "strong", "th" }))
            state.chars.bold = true;
        else if (IsOneOf(name, { "i", "em", "cite", "var", "dfn" }))
            state.chars.italic = true;
        else if (IsOneOf(name, { "u", "ins" }))
            state.chars.underline = true;
        else if (strcmp(name, "font") == 0)
            ApplyFont(node, state.chars);
        else if (name[0] == 'h' && name[1] >= '1' && name[1] <= '6' && name[2] == '\0')
            ApplyHeading(name[1] - '0', state);
        else if (strcmp(name, "a") == 0)
            ApplyLink(node, state.chars);
        else if (strcmp(name, "p") == 0)
            state.block.spaceAfter = 100;
        else if (strcmp(name, "pre") == 0)
            state.preformatted = true;
        else if (strcmp(name, "center") == 0)
            state.block.align = AlignCenter;
        else if (IsOneOf(name, { "blockquote", "dd" }))
            state.block.indent += kIndentTwips;
        else if (IsOneOf(name, { "ul", "ol" })) {
            state.block.indent += kIndentTwips;
            state.list = name[0] == 'o' ? Numbers : Bullets;
            state.listCount = 0;
        } else if (strcmp(name, "table") == 0) {
            state.block.cellTabs = true;
        }
        if (HasAttribute(node, "style"))
            ApplyStyle(Attribute(node, "style"), state.chars, state.block);

        if (IsOneOf(name, { "td", "th" })) {
            if (parent.state.cellCount++ > 0)
                m_writer.CellSeparator(state.block, state.chars);
        }
        frame.block = IsBlock(name);
        if (frame.block)
            m_writer.EndParagraph();
        if (strcmp(name, "li") == 0)
            WriteListMark(parent.state, state);
        return true;
    }

    void Leave(const Frame& frame)
    {
        if (frame.block)
            m_writer.EndParagraph();
    }

    void ApplyFont(xmlNode* node, CharFormat& chars)
    {
        if (HasAttribute(node, "color"))
            ParseColor(Attribute(node, "color"), chars.color);
        if (HasAttribute(node, "size")) {
            int size = FontSizeHalfPoints(Attribute(node, "size"));
            if (size > 0)
                chars.halfPoints = size;
        }
    }

    void ApplyHeading(int level, State& state)
    {
        static const int kHeadingHalfPoints[] = { 36, 30, 24, 21, 18, 16 };
        state.chars.bold = true;
        state.chars.halfPoints = kHeadingHalfPoints[level - 1];
        state.block.spaceAfter = 120;
    }

    void ApplyLink(xmlNode* node, CharFormat& chars)
    {
        if (!HasAttribute(node, "href"))
            return;
        AFX_HTML_LINK link;
        link.cpMin = -1;
        link.cpMax = -1;
        link.strHref = ToPageText(Trim(Attribute(node, "href")));
        link.strTarget = ToPageText(Trim(Attribute(node, "target")));
        m_links.push_back(link);
        chars.link = (int)m_links.size() - 1;
        chars.color = kLinkColor;
        chars.underline = true;
    }

    void WriteListMark(State& list, const State& item)
    {
        if (list.list == Numbers) {
            wchar_t mark[16];
            swprintf(mark, 16, L"%d. ", ++list.listCount);
            m_writer.Prefix(mark, item.chars, item.block);
        } else {
            m_writer.Prefix(L"\x2022 ", item.chars, item.block);
        }
    }

    CString ToPageText(const std::string& utf8)
    {
        std::string bytes =
            WideToBytes(Utf8ToWide(reinterpret_cast<const xmlChar*>(utf8.c_str())), m_codePage);
        return CString(bytes.c_str());
    }

    std::vector<AFX_HTML_LINK>& m_links;
    RtfWriter m_writer;
    UINT m_codePage;
};

}  // namespace

CHtmlRichText CHtmlRichText::FromHtml(const char* html, size_t length, UINT codePage)
{
    static const bool parserReady = [] {
        xmlInitParser();
        return true;
    }();
    (void)parserReady;

    CHtmlRichText page;
    std::string utf8 = html != NULL ? WideToBytes(ToWide(html, length, codePage), CP_UTF8)
                                    : std::string();
    xmlDoc* document = NULL;
    if (!utf8.empty() && utf8.size() <= (size_t)INT_MAX) {
        document = htmlReadMemory(utf8.data(), (int)utf8.size(), NULL, "UTF-8",
                                  HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                                      HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC);
    }
    PageWriter writer(page.m_links, codePage);
    page.m_rtf = writer.Write(document);
    if (document != NULL)
        xmlFreeDoc(document);
    return page;
}
