#include "ChartPainter.h"

#include <AxisLabels.h>
#include <ChartScales.h>
#include <DecimalText.h>

#include <stdio.h>
#include <stdlib.h>

using tolvan::charts::FormatDecimalText;
using namespace wickplot;

namespace
{
const COLORREF kFrame = RGB(190, 20, 10);
const COLORREF kGrey = RGB(231, 231, 231);
const COLORREF kLightGrey = RGB(192, 192, 192);
const COLORREF kTextRise = RGB(255, 60, 57);
const COLORREF kTextFall = RGB(0, 231, 0);
const COLORREF kHover = RGB(255, 150, 63);
const COLORREF kNormal = RGB(127, 191, 255);
const COLORREF kBoxFill = RGB(0, 97, 255);
const COLORREF kBoxBorder = RGB(252, 252, 252);
const COLORREF kInfoBorder = RGB(240, 240, 240);
const COLORREF kCrossLine = RGB(128, 128, 128);
const COLORREF kVolumeText = RGB(255, 255, 0);

// Left edge and right edge (distance from W) of each title zone, in TitleZone order.
const int kZoneLeft[kZoneCount] = {92, 68, 260, 180, 44, 20};
const int kZoneRight[kZoneCount] = {78, 54, 180, 100, 30, 6};

void FillSolid(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    RECT rect = {left, top, right, bottom};
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, NULL, 0, NULL);
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, NULL);
    LineTo(dc, x2, y2);
}

// Draws the text with its left edge at x; returns the x after it.
int TextAt(HDC dc, int x, int y, const CString& text, COLORREF colour)
{
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, text, text.GetLength());
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
    return x + size.cx;
}

void TextRightAligned(HDC dc, int right, int y, const CString& text, COLORREF colour)
{
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
    TextAt(dc, right - size.cx, y, text, colour);
}

HFONT MakeFont(int height, int weight, bool underline, const char* face)
{
    return CreateFontA(height, 0, 0, 0, weight, 0, underline, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
}

COLORREF AgainstReference(double value, double reference)
{
    return value > reference ? kTextRise : value < reference ? kTextFall : kGrey;
}

// "--" in either text, or an empty one, means the quote has no value to compare.
bool IsMissing(const CString& text)
{
    return text.IsEmpty() || text == "--" || text == "---";
}

CString PeriodLabel(const CString& periodText)
{
    int period = atoi(periodText);
    CString label;
    if (period == 0)
        label = "<日线>";
    else if (period == 5040)
        label = "<周线>";
    else if (period == 43200)
        label = "<月线>";
    else
        label.Format("<%d分>", period);
    return label;
}
}

int TitleZoneAt(int x, int y, int width)
{
    if (y < 2 || y > 14)
        return -1;
    for (int zone = 0; zone < kZoneCount; ++zone)
        if (x >= width - kZoneLeft[zone] && x <= width - kZoneRight[zone])
            return zone;
    return -1;
}

CChartPainter::CChartPainter()
{
    m_hTitleFont = MakeFont(12, FW_NORMAL, false, "宋体");
    m_hHotFont = MakeFont(12, FW_NORMAL, true, "宋体");
    m_hAxisFont = MakeFont(15, FW_BOLD, false, "Arial");
    m_hLegendFont = MakeFont(14, FW_NORMAL, false, "Tahoma");
    HDC screen = GetDC(NULL);
    int height = -MulDiv(10, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(NULL, screen);
    m_hBoxFont = MakeFont(height, FW_NORMAL, false, "宋体");
}

CChartPainter::~CChartPainter()
{
    Free();
    for (HFONT font : {m_hTitleFont, m_hHotFont, m_hAxisFont, m_hLegendFont, m_hBoxFont})
        if (font != NULL)
            DeleteObject(font);
}

void CChartPainter::Free()
{
    m_renderer.Free();
    m_bRendered = false;
    if (m_hPicture != NULL)
    {
        SelectObject(m_hPicture, m_hOldBitmap);
        DeleteDC(m_hPicture);
        m_hPicture = NULL;
    }
    if (m_hPictureBitmap != NULL)
    {
        DeleteObject(m_hPictureBitmap);
        m_hPictureBitmap = NULL;
    }
    m_nPictureWidth = m_nPictureHeight = 0;
}

CString CChartPainter::Price(double value, int decimals) const
{
    CString text;
    text.Format("%0.10f", value);
    return FormatDecimalText(text, decimals, true);
}

void CChartPainter::Paint(HDC hTarget, const ChartPaintState& s, bool panelsChanged)
{
    int W = s.layout.nWidth, H = s.layout.nHeight;
    if (W <= 0 || H <= 0 || s.pSeries == nullptr)
        return;
    if (m_hPicture == NULL || W != m_nPictureWidth || H != m_nPictureHeight)
    {
        Free();
        m_hPicture = CreateCompatibleDC(hTarget);
        m_hPictureBitmap = CreateCompatibleBitmap(hTarget, W, H);
        if (m_hPicture == NULL || m_hPictureBitmap == NULL)
        {
            Free();
            return;
        }
        m_hOldBitmap = SelectObject(m_hPicture, m_hPictureBitmap);
        m_nPictureWidth = W;
        m_nPictureHeight = H;
    }
    if (panelsChanged || !m_bRendered)
    {
        m_renderer.Render(m_hPicture, *s.pSeries, s.view, s.layout, s.nDecimals, s.selected);
        m_bRendered = true;
    }
    HDC dc = m_hPicture;
    SetBkMode(dc, TRANSPARENT);
    FillSolid(dc, 0, 0, W, H, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    PaintFrame(dc, s);
    PaintTitle(dc, s);
    PaintPanels(dc, s);
    int bar = -1;
    if (s.view.nEnd > s.view.nFirst)
    {
        bar = s.view.nCursor;
        if (bar < s.view.nFirst || bar >= s.view.nEnd)
            bar = s.view.nEnd - 1;
    }
    PaintAxes(dc, s);
    PaintLegends(dc, s, bar);
    PaintTimeLabels(dc, s);
    if (s.bCrossShown && bar >= 0)
    {
        PaintInfoBox(dc, s, bar);
        PaintCrossHair(dc, s, bar);
    }
    PaintHotZones(dc, s);
    BitBlt(hTarget, 0, 0, W, H, dc, 0, 0, SRCCOPY);
}

void CChartPainter::PaintFrame(HDC dc, const ChartPaintState& s)
{
    int W = s.layout.nWidth, H = s.layout.nHeight;
    HPEN pen = CreatePen(PS_SOLID, 1, kFrame);
    HGDIOBJ old = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, 0, W, H);
    Line(dc, 0, ChartLayout::kTitleHeight, W, ChartLayout::kTitleHeight);
    Line(dc, 0, s.layout.nPriceEnd, W, s.layout.nPriceEnd);
    if (s.layout.nMode == kLayoutAllPanels)
        Line(dc, 0, s.layout.nVolumeEnd, W, s.layout.nVolumeEnd);
    Line(dc, 0, H - ChartLayout::kTimeStrip, W, H - ChartLayout::kTimeStrip);
    Line(dc, ChartLayout::kAxisX, ChartLayout::kTitleHeight, ChartLayout::kAxisX, H);
    SelectObject(dc, oldBrush);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void CChartPainter::PaintTitle(HDC dc, const ChartPaintState& s)
{
    HGDIOBJ old = SelectObject(dc, m_hTitleFont);
    const ChartTitleInfo& t = s.title;
    int x = TextAt(dc, 5, 4, t.strTitle + " ", kGrey);
    x = TextAt(dc, x, 4, PeriodLabel(s.pSeries->PeriodText()), kGrey) + 10;
    double reference = atof(t.strPreClose);
    bool noReference = IsMissing(t.strPreClose);
    const CString* values[] = {&t.strLatest, &t.strOpen, &t.strHigh, &t.strLow};
    const char* names[] = {"最新:", "今开:", "最高:", "最低:"};
    for (int i = 0; i < 4; ++i)
    {
        x = TextAt(dc, x, 4, names[i], kGrey);
        COLORREF colour = noReference || IsMissing(*values[i])
                              ? kGrey : AgainstReference(atof(*values[i]), reference);
        CString text = IsMissing(*values[i]) ? *values[i]
                                             : FormatDecimalText(*values[i], s.nDecimals, true);
        x = TextAt(dc, x, 4, text, colour) + 8;
    }
    x = TextAt(dc, x, 4, "昨收:", kGrey);
    CString preClose = noReference ? t.strPreClose : FormatDecimalText(t.strPreClose, s.nDecimals, true);
    x = TextAt(dc, x, 4, preClose, kGrey) + 8;
    if (!noReference && reference != 0 && !IsMissing(t.strLatest))
    {
        double change = (atof(t.strLatest) - reference) * 100 / reference;
        CString text;
        text.Format("%.2f", change);
        text = FormatDecimalText(text, 2, true) + "%";
        if (change > 0)
            text = "+" + text;
        TextAt(dc, x, 4, text, change > 0 ? kTextRise : change < 0 ? kTextFall : kGrey);
    }
    SelectObject(dc, old);
}

void CChartPainter::PaintPanels(HDC dc, const ChartPaintState& s)
{
    struct
    {
        const CPanelCanvas* canvas;
        RECT rect;
    } panels[] = {{&m_renderer.price, s.layout.price},
                  {&m_renderer.volume, s.layout.volume},
                  {&m_renderer.macd, s.layout.macd}};
    for (const auto& panel : panels)
        if (!panel.canvas->IsEmpty())
            BitBlt(dc, panel.rect.left, panel.rect.top, panel.canvas->Width(),
                   panel.canvas->Height(), panel.canvas->Dc(), 0, 0, SRCPAINT);
    if (s.bSelecting)
    {
        HPEN pen = CreatePen(PS_DOT, 1, kGrey);
        HGDIOBJ old = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, s.selection.left, s.selection.top, s.selection.right, s.selection.bottom);
        SelectObject(dc, oldBrush);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
}

void CChartPainter::PaintAxes(HDC dc, const ChartPaintState& s)
{
    if (s.view.nEnd <= s.view.nFirst)
        return;
    HGDIOBJ old = SelectObject(dc, m_hAxisFont);
    const int right = ChartLayout::kAxisX - 3;
    const PriceScale& scale = m_renderer.priceScale;
    const RECT& price = s.layout.price;
    int height = price.bottom - price.top;
    if (height >= 20)
    {
        int rows = scale.bFlat ? 1 : 4;
        for (int k = 0; k <= rows; ++k)
        {
            int y = scale.bFlat ? height / 2 : 2 + (height - 3) * k / rows;
            int top = price.top + y - 8;   // the top value stays below the legend line
            TextRightAligned(dc, right, top < price.top ? (int)price.top : top,
                             Price(scale.ValueAt(y), s.nDecimals), kGrey);
        }
    }
    const RECT& volume = s.layout.volume;
    int volumeHeight = volume.bottom - volume.top;
    double highest = m_renderer.dHighestVolume;
    if (s.layout.ShowsVolume() && volumeHeight >= 20 && highest > 0)
    {
        int divisions = volumeHeight >= 220 ? 5 : volumeHeight >= 120 ? 3 : volumeHeight >= 40 ? 2 : 1;
        double top = VolumeAxisTop(highest, volumeHeight);
        for (int k = 1; k <= divisions; ++k)
        {
            double value = top * k / divisions;
            if (value > highest)
                break;
            int y = volumeHeight - 1 - (int)(value * (volumeHeight - 1) / highest);
            CString text;
            if (value > 1000000)
                text.Format("%.0f万", value / 10000);
            else
                text.Format("%.0f", value);
            TextRightAligned(dc, right, volume.top + y - 8, text, kGrey);
        }
    }
    const RECT& macd = s.layout.macd;
    int macdHeight = macd.bottom - macd.top;
    if (s.layout.ShowsMacd() && macdHeight >= 20)
    {
        const CMacdScale& m = s.pSeries->MacdScale();
        int zero = m.ZeroY(macdHeight);
        TextRightAligned(dc, right, macd.top + zero - 8, "0", kGrey);
        if (m.Top() > 0 && zero > 16)
            TextRightAligned(dc, right, macd.top - 8 + 8, Price(m.Top(), 3), kGrey);
        if (m.Bottom() < 0 && macdHeight - zero > 16)
            TextRightAligned(dc, right, macd.bottom - 16, Price(m.Bottom(), 3), kGrey);
    }
    SelectObject(dc, old);
}

void CChartPainter::PaintLegends(HDC dc, const ChartPaintState& s, int bar)
{
    if (bar < 0)
        return;
    HGDIOBJ old = SelectObject(dc, m_hLegendFont);
    const CBarSeries& series = *s.pSeries;
    int x = ChartLayout::kPlotLeft;
    const char* priceNames[kPriceAverageCount] = {"MA5:", "MA10:", "MA20:", "MA40:", "MA60:"};
    for (int n = 0; n < kPriceAverageCount; ++n)
        x = TextAt(dc, x, 25, priceNames[n] + Price(series.Bars()[bar]->averages[n], s.nDecimals),
                   kPriceAverageColours[n]) + 12;
    if (s.layout.ShowsVolume())
    {
        int y = s.layout.volume.top - 20;
        x = TextAt(dc, ChartLayout::kPlotLeft, y, "VOL(5,10)", kLightGrey) + 12;
        const char* names[kVolumeAverageCount] = {"MA1:", "MA2:"};
        for (int n = 0; n < kVolumeAverageCount; ++n)
        {
            CString value;
            value.Format("%.0f", series.Volumes()[bar]->averages[n]);
            x = TextAt(dc, x, y, names[n] + value, kVolumeAverageColours[n]) + 12;
        }
    }
    if (s.layout.ShowsMacd())
    {
        int y = s.layout.macd.top - 20;
        const CChartIndicators& indicators = series.Indicators();
        CString title;
        title.Format("MACD(%d,%d,%d)", indicators.ShortPeriod(), indicators.LongPeriod(),
                     indicators.SignalPeriod());
        x = TextAt(dc, ChartLayout::kPlotLeft, y, title, kLightGrey) + 12;
        const ChartMacdRecord& m = *series.Macds()[bar];
        x = TextAt(dc, x, y, "DIFF:" + Price(m.dDiff, 4), kDiffColour) + 12;
        x = TextAt(dc, x, y, "DEA:" + Price(m.dDea, 4), kDeaColour) + 12;
        TextAt(dc, x, y, "MACD:" + Price(m.dMacd, 4), m.dMacd >= 0 ? kRiseCandle : kFallCandle);
    }
    // The highest and lowest prices of the view beside their bars.
    if (m_renderer.bMarkers)
    {
        const PriceExtremes& e = series.Extremes();
        int W = s.layout.nWidth;
        for (int k = 0; k < 2; ++k)
        {
            POINT p = k == 0 ? m_renderer.highest : m_renderer.lowest;
            CString text = Price(k == 0 ? e.dHighest : e.dLowest, s.nDecimals);
            SIZE size = {};
            GetTextExtentPoint32A(dc, text, text.GetLength(), &size);
            bool leftward = p.x + 12 + size.cx > W - 85;
            int y = k == 0 ? p.y - 14 : p.y;
            if (leftward)
                TextAt(dc, p.x - 6 - size.cx, y, text, kGrey);
            else
                TextAt(dc, p.x + 6, y, text, kGrey);
        }
    }
    SelectObject(dc, old);
}

void CChartPainter::PaintTimeLabels(HDC dc, const ChartPaintState& s)
{
    HGDIOBJ old = SelectObject(dc, m_hLegendFont);
    int y = s.layout.nHeight - ChartLayout::kTimeStrip + 3;
    int nextFree = 0;
    for (const AxisLabel& label : m_renderer.labels)
    {
        if (label.x < nextFree)
            continue;   // labels of dense bars would overwrite each other
        nextFree = TextAt(dc, label.x, y, label.text, kGrey) + 6;
    }
    SelectObject(dc, old);
}

void CChartPainter::PaintCrossHair(HDC dc, const ChartPaintState& s, int bar)
{
    int W = s.layout.nWidth, H = s.layout.nHeight;
    double pitch = s.view.Pitch(s.layout.PlotWidth());
    int x = s.layout.price.left + (int)((bar - s.view.nFirst) * pitch + 10 * pitch / 22);
    HPEN pen = CreatePen(PS_SOLID, 1, kCrossLine);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Line(dc, x, ChartLayout::kTitleHeight + 1, x, H - ChartLayout::kTimeStrip);
    int y = s.mouse.y;
    bool valueRow = y > 40 && y < H - ChartLayout::kTimeStrip;
    if (valueRow)
        Line(dc, ChartLayout::kAxisX + 1, y, W - 1, y);
    SelectObject(dc, oldPen);
    DeleteObject(pen);

    HGDIOBJ oldFont = SelectObject(dc, m_hBoxFont);
    HPEN border = CreatePen(PS_SOLID, 1, kBoxBorder);
    HBRUSH fill = CreateSolidBrush(kBoxFill);
    oldPen = SelectObject(dc, border);
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    const CBarSeries& series = *s.pSeries;
    if (valueRow)
    {
        CString value;
        int area = s.layout.AreaAt(ChartLayout::kPlotLeft, y);
        const RECT& price = s.layout.price;
        if (area == 0)
            value = Price(m_renderer.priceScale.ValueAt(y - price.top), s.nDecimals);
        else if (area == 1 && s.layout.ShowsVolume())
        {
            const RECT& v = s.layout.volume;
            int h = v.bottom - v.top;
            double volume = h > 1 ? m_renderer.dHighestVolume * (v.bottom - 1 - y) / (h - 1) : 0;
            value.Format("%.0f", volume < 0 ? 0.0 : volume);
        }
        else if (area == 2 && s.layout.ShowsMacd())
        {
            const RECT& m = s.layout.macd;
            const CMacdScale& scale = series.MacdScale();
            int h = m.bottom - m.top;
            int zero = scale.ZeroY(h);
            int row = y - m.top;
            double v = 0;
            if (row < zero && zero > 0)
                v = scale.Top() * (zero - row) / zero;
            else if (row > zero && h > zero)
                v = scale.Bottom() * (row - zero) / (h - zero);
            value = Price(v, 3);
        }
        if (!value.IsEmpty())
        {
            Rectangle(dc, 0, y - 9, ChartLayout::kAxisX, y + 9);
            SetTextColor(dc, RGB(255, 255, 255));
            RECT box = {1, y - 8, ChartLayout::kAxisX - 1, y + 8};
            DrawTextA(dc, value, value.GetLength(), &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        }
    }
    CString time = series.Bars()[bar]->strTime;
    int period = atoi(series.PeriodText());
    if (period == 0 || period == 5040 || period == 43200)
        time.Format("%s(%s)", (LPCTSTR)time.Left(8), (LPCTSTR)WeekdayText(time));
    SIZE size = {};
    GetTextExtentPoint32A(dc, time, time.GetLength(), &size);
    int left = x - size.cx / 2 - 4;
    if (left + size.cx + 8 > W)
        left = W - size.cx - 8;
    if (left < ChartLayout::kAxisX)
        left = ChartLayout::kAxisX;
    Rectangle(dc, left, H - ChartLayout::kTimeStrip + 1, left + size.cx + 8, H - 1);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, left + 4, H - ChartLayout::kTimeStrip + 4, time, time.GetLength());
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(fill);
    DeleteObject(border);
    SelectObject(dc, oldFont);
}

void CChartPainter::PaintInfoBox(HDC dc, const ChartPaintState& s, int bar)
{
    const CBarSeries& series = *s.pSeries;
    const ChartBarRecord& b = *series.Bars()[bar];
    HPEN pen = CreatePen(PS_SOLID, 1, kInfoBorder);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    Rectangle(dc, 0, 45, 80, 380);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);

    HGDIOBJ oldFont = SelectObject(dc, m_hBoxFont);
    double reference = bar > 0 ? series.Macds()[bar - 1]->dClose : atof(b.strOpen);
    double close = series.Macds()[bar]->dClose;
    int y = 50;
    auto row = [&](const char* name, const CString& value, COLORREF colour) {
        TextAt(dc, 4, y, name, kGrey);
        TextAt(dc, 8, y + 17, value, colour);
        y += 38;
    };
    CString date = b.strTime.Left(8) + WeekdayText(b.strTime);
    TextAt(dc, 4, y, date, kGrey);
    y += 22;
    const CString* prices[] = {&b.strOpen, &b.strHigh, &b.strLow, &b.strClose};
    const char* names[] = {"开  盘", "最  高", "最  低", "收  盘"};
    for (int i = 0; i < 4; ++i)
        row(names[i], FormatDecimalText(*prices[i], s.nDecimals, true),
            AgainstReference(atof(*prices[i]), reference));
    row("成交量", b.strVolume, kVolumeText);
    double change = close - reference;
    CString changeText = "0.00", percent = "0.00";
    if (bar > 0)
    {
        changeText = Price(change, s.nDecimals);
        if (reference != 0)
        {
            CString raw;
            raw.Format("%.4f", change * 100 / reference);
            percent = FormatDecimalText(raw, 2, true);
        }
    }
    COLORREF colour = AgainstReference(close, reference);
    row("涨  跌", changeText, colour);
    row("幅  度", percent + "%", colour);
    SelectObject(dc, oldFont);
}

void CChartPainter::PaintHotZones(HDC dc, const ChartPaintState& s)
{
    int W = s.layout.nWidth;
    HGDIOBJ oldFont = SelectObject(dc, m_hHotFont);
    TextAt(dc, W - 260, 5, "显示一档", s.hover[kZoneOneLevel] ? kHover : kNormal);
    TextAt(dc, W - 180, 5, "显示五档", s.hover[kZoneFiveLevels] ? kHover : kNormal);
    SelectObject(dc, oldFont);
    const TitleZone buttons[] = {kZonePageOlder, kZonePageNewer, kZonePanel};
    for (TitleZone zone : buttons)
    {
        int left = W - kZoneLeft[zone];
        COLORREF colour = s.hover[zone] ? kHover : kNormal;
        HPEN pen = CreatePen(PS_SOLID, 1, colour);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
        Rectangle(dc, left, 5, left + 14, 17);
        if (zone == kZonePanel)
            Line(dc, left + 11, 5, left + 11, 17);
        else
        {
            POINT points[3];
            if (zone == kZonePageOlder)
                points[0] = {left + 3, 11}, points[1] = {left + 10, 7}, points[2] = {left + 10, 15};
            else
                points[0] = {left + 11, 11}, points[1] = {left + 4, 7}, points[2] = {left + 4, 15};
            HBRUSH brush = CreateSolidBrush(colour);
            SelectObject(dc, brush);
            Polygon(dc, points, 3);
            SelectObject(dc, GetStockObject(BLACK_BRUSH));
            DeleteObject(brush);
        }
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
}
