// Painting of the depth window: one off-screen picture per paint, copied in one blit.
#include "RealTradeChartDlg.h"

#include <DecimalText.h>
#include <OffscreenPicture.h>

#include <cstdlib>

using tolvan::charts::FormatDecimalText;
using namespace tolvan::ladderview;

namespace {

const COLORREF kFrameColor = 0x0A14BE;
const COLORREF kLabelColor = 0xF0F0F0;
const COLORREF kVolumeColor = 0x00FFFF;
const COLORREF kHeaderColor = 0x808080;
const COLORREF kSelectionColor = 0x00FFFF;
const COLORREF kGreyColor = kFlatColor;

bool IsMissing(const CString& text)
{
    return text.IsEmpty() || text == "---";
}

void DrawTextIn(CDC& dc, const CString& text, int left, int top, int right, int bottom,
                COLORREF color, CFont& font, UINT format)
{
    CFont* old = dc.SelectObject(&font);
    dc.SetTextColor(color);
    CRect rect(left, top, right, bottom);
    dc.DrawText(text, &rect, format | DT_SINGLELINE | DT_NOPREFIX);
    dc.SelectObject(old);
}

void Line(CDC& dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

struct LadderFonts {
    CFont label, price, priceBest, title, value, timeMinute;
    LadderFonts()
    {
        label.CreatePointFont(110, "宋体");
        price.CreateFont(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
        priceBest.CreateFont(24, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
        title.CreateFont(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
        value.CreateFont(15, 0, 0, 0, 700, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "System");
        timeMinute.CreateFont(14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    }
};

// Built once and kept for the process: every depth window paints with the same fonts.
LadderFonts* SharedFonts()
{
    static LadderFonts* fonts = new LadderFonts;
    return fonts;
}

}  // namespace

COLORREF CRealTradeChartDlg::ColorAgainstReference(const CString& price) const
{
    if (IsMissing(price))
        return kGreyColor;
    double value = atof(Cut(price));
    double reference = atof(Cut(m_stock.strInfo[11]));
    return value > reference ? kRiseColor : value < reference ? kFallColor : kFlatColor;
}

void CRealTradeChartDlg::PaintAll(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    int width = client.Width(), height = client.Height();
    COffscreenPicture picture(pDC, width, height);
    CDC& memory = picture.Dc();

    CPen framePen(PS_SOLID, 1, kFrameColor);
    CPen* oldPen = memory.SelectObject(&framePen);
    CBrush* oldBrush = (CBrush*)memory.SelectStockObject(NULL_BRUSH);
    memory.Rectangle(0, 0, width, height);
    memory.SelectObject(oldBrush);

    if (m_mode)
        PaintFiveLevels(memory);
    else
        PaintOneLevel(memory);
    PaintFigures(memory);
    PaintTradeList(memory);
    PaintBottomStrip(memory);

    picture.CopyToTarget();
    memory.SelectObject(oldPen);
}

void CRealTradeChartDlg::PaintLevelRow(CDC& dc, const CString& price, const CString& volume,
                                       int top, int bottom, int fontHeight)
{
    LadderFonts* fonts = SharedFonts();
    CFont& font = fontHeight == 24 ? fonts->priceBest : fonts->price;
    CString priceText = IsMissing(price) ? CString("---") : Cut(price);
    DrawTextIn(dc, priceText, 45, top, m_width / 2, bottom, ColorAgainstReference(price), font,
               DT_RIGHT | DT_VCENTER);
    CString volumeText = volume;
    volumeText.Trim();
    if (IsMissing(volumeText))
        volumeText = "0";
    DrawTextIn(dc, volumeText, m_width / 2 + 20, top, m_width - 5, bottom, kVolumeColor, font,
               DT_RIGHT | DT_VCENTER);
}

void CRealTradeChartDlg::PaintFiveLevels(CDC& dc)
{
    LadderFonts* fonts = SharedFonts();
    const int T = m_headerHeight, L = m_ladderBottom;
    const char* sellLabels[5] = {"卖五", "卖四", "卖三", "卖二", "卖一"};
    const int sellRows[6] = {35, 59, 83, 107, 133, T};
    for (int i = 0; i < 5; ++i) {
        DrawTextIn(dc, sellLabels[i], 5, sellRows[i], 80, sellRows[i + 1], kLabelColor,
                   fonts->label, DT_LEFT | DT_VCENTER);
        PaintLevelRow(dc, m_levels.strSellPrice[i], m_levels.strSellVolume[i], sellRows[i],
                      sellRows[i + 1], i == 4 ? 24 : 20);
    }
    const char* buyLabels[5] = {"买一", "买二", "买三", "买四", "买五"};
    const int buyRows[6] = {T + 8, T + 34, T + 58, T + 82, T + 106, L};
    for (int i = 0; i < 5; ++i) {
        DrawTextIn(dc, buyLabels[i], 5, buyRows[i], 80, buyRows[i + 1], kLabelColor,
                   fonts->label, DT_LEFT | DT_VCENTER);
        PaintLevelRow(dc, m_levels.strBuyPrice[i], m_levels.strBuyVolume[i], buyRows[i],
                      buyRows[i + 1], i == 0 ? 24 : 20);
    }
}

void CRealTradeChartDlg::PaintOneLevel(CDC& dc)
{
    LadderFonts* fonts = SharedFonts();
    const int T = m_headerHeight, L = m_ladderBottom;
    DrawTextIn(dc, "卖出", 5, 40, 80, T, kLabelColor, fonts->label, DT_LEFT | DT_VCENTER);
    DrawTextIn(dc, "买入", 5, T + 10, 80, L, kLabelColor, fonts->label, DT_LEFT | DT_VCENTER);
    PaintLevelRow(dc, m_levels.strSellPrice[4], m_levels.strSellVolume[4], 35, T, 20);
    PaintLevelRow(dc, m_levels.strBuyPrice[0], m_levels.strBuyVolume[0], T + 5, L, 20);
}

void CRealTradeChartDlg::PaintFigures(CDC& dc)
{
    LadderFonts* fonts = SharedFonts();
    const int T = m_headerHeight, L = m_ladderBottom, W = m_width;
    Line(dc, 0, 30, W, 30);
    Line(dc, 0, T, W, T);
    Line(dc, 0, L, W, L);
    Line(dc, 0, L + 165, W, L + 165);

    const CString* info = m_stock.strInfo;
    CString title = info[1] + "(" + info[0] + ")";
    DrawTextIn(dc, title, 0, 5, W - 3, 30, kVolumeColor, fonts->title, DT_CENTER | DT_VCENTER);

    const char* leftLabels[7] = {"最新", "涨跌", "幅度", "总手", "现手", "涨停", "外盘"};
    const char* rightLabels[7] = {"昨收", "开盘", "最高", "最低", "跌停", "仓差", "内盘"};
    const COLORREF latestColors[3] = {kFlatColor, kRiseColor, kFallColor};
    int direction = m_stock.nDirection >= 0 && m_stock.nDirection <= 2 ? m_stock.nDirection : 0;

    CString percent = info[4];
    if (!IsMissing(percent))
        percent = FormatDecimalText(percent, 2) + "%";
    struct Cell {
        CString text;
        COLORREF color;
    };
    const Cell left[7] = {
        {Cut(info[2]), latestColors[direction]},
        {Cut(info[3]), kFlatColor},
        {percent, kFlatColor},
        {info[5], kVolumeColor},
        {info[6], kVolumeColor},
        {Cut(info[7]), kRiseColor},
        {info[9], kFlatColor},
    };
    const Cell right[7] = {
        {Cut(info[11]), kFlatColor},
        {Cut(info[12]), ColorAgainstReference(info[12])},
        {Cut(info[13]), ColorAgainstReference(info[13])},
        {Cut(info[14]), ColorAgainstReference(info[14])},
        {Cut(info[15]), kFallColor},
        {info[16], kFlatColor},
        {info[17], kFlatColor},
    };
    for (int row = 0; row < 7; ++row) {
        int top = L + 5 + row * 20;
        DrawTextIn(dc, leftLabels[row], 5, top, 130, top + 20, kFlatColor, fonts->label,
                   DT_LEFT | DT_VCENTER);
        DrawTextIn(dc, rightLabels[row], 130, top, W - 3, top + 20, kFlatColor, fonts->label,
                   DT_LEFT | DT_VCENTER);
        const Cell& l = left[row];
        const Cell& r = right[row];
        DrawTextIn(dc, l.text, 35, top, 115, top + 20, l.text == "---" ? kGreyColor : l.color,
                   fonts->value, DT_RIGHT | DT_VCENTER);
        DrawTextIn(dc, r.text, 160, top, W - 5, top + 20, r.text == "---" ? kGreyColor : r.color,
                   fonts->value, DT_RIGHT | DT_VCENTER);
    }
}

void CRealTradeChartDlg::PaintTradeList(CDC& dc)
{
    LadderFonts* fonts = SharedFonts();
    const int L = m_ladderBottom, W = m_width;
    DrawTextIn(dc, "北京", 5, L + 170, 110, L + 190, kHeaderColor, fonts->label, DT_LEFT | DT_VCENTER);
    DrawTextIn(dc, "价格", 5, L + 170, 110, L + 190, kHeaderColor, fonts->label, DT_RIGHT | DT_VCENTER);
    DrawTextIn(dc, "现手", 110, L + 170, 213, L + 190, kHeaderColor, fonts->label, DT_RIGHT | DT_VCENTER);

    if (m_keyState == 1 || m_keyState == 2) {
        m_tape.ApplyKey(m_keyState == 1 ? TapeKey::Up : TapeKey::Down);
        m_keyState = -1;
    }

    std::vector<DepthTradeTick*> shown = m_tape.ShownTrades();
    for (size_t row = 0; row < shown.size(); ++row) {
        DepthTradeTick& trade = *shown[row];
        int top = L + 190 + (int)row * 20;
        trade.strPrice = Cut(trade.strPrice);
        bool sameMinute = trade.strTime.Left(2) == "C#";
        CString time = trade.strTime.Left(2) == "P#" || sameMinute ? trade.strTime.Mid(2) : trade.strTime;
        if (sameMinute && row > 0)
            DrawTextIn(dc, "      " + time.Right(3), 5, top, 50, top + 20, kFlatColor,
                       fonts->timeMinute, DT_LEFT | DT_VCENTER);
        else
            DrawTextIn(dc, time, 5, top, 50, top + 20, kFlatColor, fonts->value, DT_LEFT | DT_VCENTER);
        DrawTextIn(dc, trade.strPrice, 2, top, 110, top + 20, trade.nPriceColor, fonts->value,
                   DT_RIGHT | DT_VCENTER);
        DrawTextIn(dc, trade.strVolume, 110, top, 213, top + 20, trade.nVolumeColor, fonts->value,
                   DT_RIGHT | DT_VCENTER);
    }

    if (m_tape.SelectionOn()) {
        CPen pen(PS_SOLID, 2, kSelectionColor);
        CPen* oldPen = dc.SelectObject(&pen);
        CBrush* oldBrush = (CBrush*)dc.SelectStockObject(NULL_BRUSH);
        int top = L + 187 + m_tape.SelectedRow() * 20;
        dc.Rectangle(3, top, W - 3, top + 22);
        dc.SelectObject(oldBrush);
        dc.SelectObject(oldPen);
    }
}

void CRealTradeChartDlg::PaintBottomStrip(CDC& dc)
{
    static CFont* font = [] {
        CFont* f = new CFont;
        f->CreatePointFont(90, "宋体");
        return f;
    }();
    const int W = m_width, H = m_height;
    dc.FillSolidRect(1, H - 20, W - 2, 20, RGB(0, 0, 0));
    DrawTextIn(dc, "笔", 15, H - 18, 35, H, kLabelColor, *font, DT_LEFT);
    Line(dc, 40, H - 1, 40, H - 20);
    dc.LineTo(W, H - 20);
}
