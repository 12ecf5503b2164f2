// Painting of the trend chart: one off-screen picture per paint, copied in one blit.
#include "DriftlineDlg.h"

#include "TrendLabelStyles.h"
#include "TrendTimeText.h"

#include <OffscreenPicture.h>

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <map>

using namespace tolvan::driftline;

namespace {

const COLORREF kFrameColour = 0x1414C0;
const COLORREF kGridColour = 0x000082;
const COLORREF kPriceLineColour = 0xFCFCFC;
const COLORREF kAverageColour = 0x00FFFF;
const COLORREF kRiseColour = 0x393CFF;
const COLORREF kFallColour = 0x00E700;
const COLORREF kFlatColour = 0xE7E7E7;
const COLORREF kTagColour = 0xFF6100;
const COLORREF kHoverColour = 0x3F96FF;
const COLORREF kNormalColour = 0xFFBF7F;

void Line(CDC& dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

void Text(CDC& dc, const CString& text, int left, int top, int right, int bottom, COLORREF colour,
          HFONT font, UINT format)
{
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), font);
    dc.SetTextColor(colour);
    CRect rect(left, top, right, bottom);
    dc.DrawText(text, &rect, format | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dc.GetSafeHdc(), old);
}

HFONT TitleFont(bool underline)
{
    static HFONT plain = ::CreateFontA(12, 0, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "宋体");
    static HFONT underlined = ::CreateFontA(12, 0, 0, 0, 400, 0, 1, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "宋体");
    return underline ? underlined : plain;
}

HFONT PointFont(int tenths)
{
    static std::map<int, HFONT> fonts;
    HFONT& font = fonts[tenths];
    if (font == NULL) {
        HDC screen = ::GetDC(NULL);
        int height = -MulDiv(tenths, ::GetDeviceCaps(screen, LOGPIXELSY), 720);
        ::ReleaseDC(NULL, screen);
        font = ::CreateFontA(height, 0, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "宋体");
    }
    return font;
}

// The drawn title-bar glyphs: two arrows and the depth-panel toggle, 14 px wide.
void PaintArrowGlyph(CDC& dc, int x, int y, bool left, COLORREF colour)
{
    CPen pen(PS_SOLID, 1, colour);
    CBrush brush(colour);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    POINT points[3];
    if (left)
        points[0] = {x + 3, y + 5}, points[1] = {x + 10, y}, points[2] = {x + 10, y + 10};
    else
        points[0] = {x + 11, y + 5}, points[1] = {x + 4, y}, points[2] = {x + 4, y + 10};
    dc.Polygon(points, 3);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void PaintPanelGlyph(CDC& dc, int x, int y, COLORREF colour)
{
    CPen pen(PS_SOLID, 1, colour);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = (CBrush*)dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(x + 1, y, x + 14, y + 11);
    Line(dc, x + 9, y, x + 9, y + 11);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

}  // namespace

CString CDriftlineDlg::Cut(double price) const
{
    CString text;
    text.Format("%0.10f", price);
    return Cut(text);
}

COLORREF CDriftlineDlg::PriceColour(const CString& price) const
{
    double value = atof(price);
    double reference = atof(m_model.Header().reference);
    return value > reference ? kRiseColour : value < reference ? kFallColour : kFlatColour;
}

void CDriftlineDlg::PaintAll(CDC* pDC)
{
    COffscreenPicture picture(pDC, m_model.Scale().Width(), m_model.Scale().Height());
    CDC& memory = picture.Dc();

    PaintAxes(memory, kFrameColour);
    PaintTitleLine(memory);
    if (m_model.DataReady()) {
        PaintLines(memory);
        if (m_crossShown) {
            PaintCrossHair(memory);
            PaintInfoBox(memory);
        }
    }
    PaintButtons(memory);

    picture.CopyToTarget();
}

void CDriftlineDlg::PaintAxes(CDC& dc, COLORREF frame)
{
    const TrendScale& scale = m_model.Scale();
    const int W = scale.Width(), H = scale.Height(), B = scale.PriceBottom(), M = scale.Middle();
    CPen pen(PS_SOLID, 1, frame);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = (CBrush*)dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(0, 0, W, H);
    dc.SelectObject(oldBrush);
    Line(dc, 0, 20, W, 20);
    Line(dc, 80, M, W - 60, M);
    Line(dc, 0, B, W, B);
    Line(dc, 0, H - 20, W, H - 20);
    Line(dc, 80, 20, 80, H - 20);
    Line(dc, W - 60, 20, W - 60, H - 20);
    dc.SelectObject(oldPen);

    PaintTimeGrid(dc);
    PaintPriceRows(dc);
    PaintVolumeRows(dc);

    const auto& styles = BuildTrendLabelStyles();
    struct Title {
        const char* style;
        int left, top, right, bottom;
    } titles[] = {{"trendTitle", 85, 22, 165, 42}, {"avgTitle", 165, 22, 265, 42},
                  {"tradingTitle", 85, B + 2, 165, B + 22}};
    for (const Title& t : titles) {
        const TrendLabelStyle& style = styles.at(t.style);
        Text(dc, style.text, t.left, t.top, t.right, t.bottom, style.color,
             TrendLabelFont(t.style, 12, 400), DT_LEFT | DT_VCENTER);
    }
}

void CDriftlineDlg::PaintTimeGrid(CDC& dc)
{
    const TrendScale& scale = m_model.Scale();
    const TrendSession& session = m_model.Session();
    const int W = scale.Width(), H = scale.Height(), B = scale.PriceBottom();
    const std::vector<CString>& labels = session.Labels();
    if (labels.size() < 2 || session.TradingMinutes() <= 0)
        return;
    HFONT font = TrendLabelFont("DateTime", 16, 700);
    const COLORREF labelColour = 0xE7E7E7;
    double perMinute = scale.PixelsPerMinute(session.TradingMinutes());
    double s30 = 30.0 * (W - 140) / session.TradingMinutes();

    CPen solid(PS_SOLID, 1, kGridColour), dotted(PS_DOT, 1, kGridColour);
    CPen* oldPen = dc.SelectObject(&solid);
    dc.SetBkMode(TRANSPARENT);
    auto gridLine = [&](int x, bool isDotted) {
        dc.SelectObject(isDotted ? &dotted : &solid);
        Line(dc, x, 40, x, B);
        Line(dc, x, B + 20, x, H - 20);
    };

    Text(dc, labels.front(), 65, H - 17, 105, H, labelColour, font, DT_LEFT);
    int firstMinute = MinuteOfDay(labels[0]), secondMinute = MinuteOfDay(labels[1]);
    if (secondMinute < firstMinute)
        secondMinute += 1440;
    int x0 = (int)std::ceil(80 + (secondMinute - firstMinute) * perMinute);
    gridLine(x0, false);
    if (labels.size() > 2 && x0 + 25 < W - 75)
        Text(dc, labels[1], x0 - 15, H - 17, x0 + 25, H, labelColour, font, DT_LEFT);

    int thinning = 1;
    int count = (int)labels.size();
    if (count >= 6) {
        CSize first = dc.GetTextExtent(labels.front());
        for (int i = 2; i <= count / 2 - 1; ++i)
            if (first.cx > (i - 1) * s30 / 2)
                thinning = i;
    }
    for (int position = 1; x0 + position * s30 < W - 60; ++position) {
        int x = (int)(x0 + position * s30);
        gridLine(x, position % 2 == 1);
        int labelIndex = position + 1;
        if (labelIndex < count - 1 && position % thinning == 0 && W - x > 100)
            Text(dc, labels[labelIndex], x - 15, H - 17, x + 25, H, labelColour, font, DT_LEFT);
    }
    if (MinuteOfDay(labels.back()) % 30 != 0)
        gridLine(W - 60, false);
    Text(dc, labels.back(), W - 75, H - 17, W - 35, H, labelColour, font, DT_LEFT);
    dc.SelectObject(oldPen);
}

void CDriftlineDlg::PaintPriceRows(CDC& dc)
{
    const TrendScale& scale = m_model.Scale();
    const int W = scale.Width(), M = scale.Middle();
    PanelRows rows = scale.PriceRows();
    int half = rows.rows / 2;
    double reference = atof(m_model.Header().reference);
    double step = half > 0 ? scale.RelativeDeviation() / half : 0;
    HFONT font = TrendLabelFont("Y", 15, 700);
    CPen pen(PS_SOLID, 1, kGridColour);
    CPen* oldPen = dc.SelectObject(&pen);
    auto priceText = [&](double value) {
        if (reference == 0 || value < 0 || value > 999999)
            return CString("0.00");
        return Cut(value);
    };
    for (int k = half; k >= 1; --k) {
        int y = 40 + rows.rowHeight * (half - k);
        Line(dc, 82, y, W - 60, y);
        if (!rows.labelled)
            continue;
        CString percent;
        percent.Format("+%.2f%%", k * step * 100);
        Text(dc, priceText(reference * (1 + k * step)), 0, y - 10, 77, y + 10, kRiseColour, font, DT_RIGHT | DT_VCENTER);
        Text(dc, percent, W - 57, y - 10, W - 3, y + 10, kRiseColour, font, DT_LEFT | DT_VCENTER);
    }
    if (rows.labelled) {
        Text(dc, priceText(reference), 0, M - 10, 77, M + 10, kFlatColour, font, DT_RIGHT | DT_VCENTER);
        Text(dc, "+0.00%", W - 57, M - 10, W - 3, M + 10, kFlatColour, font, DT_LEFT | DT_VCENTER);
    }
    for (int k = 1; k <= half; ++k) {
        int y = M + rows.rowHeight * k;
        Line(dc, 82, y, W - 60, y);
        if (!rows.labelled)
            continue;
        CString percent;
        percent.Format("-%.2f%%", k * step * 100);
        Text(dc, priceText(reference * (1 - k * step)), 0, y - 10, 77, y + 10, kFallColour, font, DT_RIGHT | DT_VCENTER);
        Text(dc, percent, W - 57, y - 10, W - 3, y + 10, kFallColour, font, DT_LEFT | DT_VCENTER);
    }
    dc.SelectObject(oldPen);
}

void CDriftlineDlg::PaintVolumeRows(CDC& dc)
{
    const TrendScale& scale = m_model.Scale();
    const int W = scale.Width(), B = scale.PriceBottom();
    PanelRows rows = scale.VolumeRows();
    int ceiling = scale.VolumeCeiling();
    int n = rows.rows;
    int step = 100 / n;
    HFONT font = TrendLabelFont("Y", 15, 700);
    CPen pen(PS_SOLID, 1, kGridColour);
    CPen* oldPen = dc.SelectObject(&pen);
    for (int k = 0; k < n; ++k) {
        int y = B + 20 + k * rows.rowHeight;
        Line(dc, 82, y, W - 60, y);
        if (!rows.labelled)
            continue;
        CString volume, percent;
        volume.Format("%d", ceiling - (ceiling / n) * k);
        if (k == 0)
            percent = "+100%";
        else if (k == n / 2)
            percent = "+50%";
        else if (k < n / 2)
            percent.Format("+%d%%", (n / 2 - k) * step + 50);
        else
            percent.Format("+%d%%", (n - k) * step);
        Text(dc, volume, 0, y - 10, 77, y + 10, kAverageColour, font, DT_RIGHT | DT_VCENTER);
        Text(dc, percent, W - 57, y - 10, W - 3, y + 10, kAverageColour, font, DT_LEFT | DT_VCENTER);
    }
    dc.SelectObject(oldPen);
}

void CDriftlineDlg::PaintTitleLine(CDC& dc)
{
    const TrendHeader& header = m_model.Header();
    HFONT font = TitleFont(false);
    Text(dc, header.name + "(" + header.code + ")", 2, 4, 152, 20, kFlatColour, font, DT_LEFT);
    struct Label {
        const char* text;
        int left, right;
    } labels[] = {{"最新:", 202, 342}, {"今开:", 342, 432}, {"最高:", 432, 522},
                  {"最低:", 522, 612}, {"昨收:", 612, 712}};
    for (const Label& l : labels)
        Text(dc, l.text, l.left, 4, l.right, 20, kFlatColour, font, DT_LEFT);

    const CString& latest = m_model.TitleLatest();
    double reference = atof(header.reference);
    Text(dc, Cut(latest), 237, 4, 282, 20, PriceColour(latest), font, DT_LEFT);
    if (latest != "--" && header.reference != "--" && reference != 0 && !latest.IsEmpty()) {
        double change = (atof(latest) - reference) * 100 / reference;
        CString percent;
        percent.Format(change > 0 ? "+%.2f%%" : "%.2f%%", change);
        Text(dc, percent, 292, 4, 342, 20, PriceColour(latest), font, DT_LEFT);
    }
    Text(dc, Cut(header.open), 377, 4, 432, 20, PriceColour(header.open), font, DT_LEFT);
    Text(dc, Cut(m_model.TitleHigh()), 467, 4, 522, 20, PriceColour(m_model.TitleHigh()), font, DT_LEFT);
    Text(dc, Cut(m_model.TitleLow()), 557, 4, 612, 20, PriceColour(m_model.TitleLow()), font, DT_LEFT);
    Text(dc, Cut(header.reference), 647, 4, 712, 20, kFlatColour, font, DT_LEFT);
}

void CDriftlineDlg::PaintLines(CDC& dc)
{
    const TrendScale& scale = m_model.Scale();
    const int H = scale.Height();
    double perVolume = scale.PixelsPerVolume();
    m_model.ComputeAverages();
    CPen pricePen(PS_SOLID, 1, kPriceLineColour), averagePen(PS_SOLID, 1, kAverageColour);
    CPen* oldPen = dc.SelectObject(&pricePen);
    TrendTickNode* previous = nullptr;
    for (TrendTickNode* bucket = m_model.Head(); bucket != nullptr; bucket = bucket->pNext) {
        bucket->nX = m_model.BucketX(*bucket);
        bucket->nPriceY = scale.PriceY(atof(bucket->strPrice));
        bucket->nAvgY = scale.PriceY(atof(bucket->strAvgPrice));
        if (previous != nullptr) {
            dc.SelectObject(&pricePen);
            Line(dc, previous->nX, previous->nPriceY, bucket->nX, bucket->nPriceY);
            dc.SelectObject(&averagePen);
            Line(dc, previous->nX, previous->nAvgY, bucket->nX, bucket->nAvgY);
        }
        int volume = atoi(bucket->strVolume);
        if (volume > 0) {
            dc.SelectObject(&averagePen);
            Line(dc, bucket->nX, H - 20, bucket->nX, (int)(H - 20 - volume * perVolume - 1));
        }
        previous = bucket;
    }
    dc.SelectObject(oldPen);
}

void CDriftlineDlg::PaintCrossHair(CDC& dc)
{
    if (m_hoveredPanel < 0)
        return;
    const TrendScale& scale = m_model.Scale();
    const TrendSession& session = m_model.Session();
    const int W = scale.Width(), H = scale.Height(), B = scale.PriceBottom();
    const int x = m_mouse.x, y = m_mouse.y;
    CPen pen(PS_SOLID, 1, kPriceLineColour);
    CPen* oldPen = dc.SelectObject(&pen);
    Line(dc, x, 20, x, H);
    Line(dc, 80, y, W - 60, y);

    double perMinute = scale.PixelsPerMinute(session.TradingMinutes());
    int minute = perMinute > 0 ? (int)((x - 80) / perMinute) + session.OpenMinute() : session.OpenMinute();
    const CString& market = m_model.Header().market;
    if (market.Left(3) == "CSM" && minute >= 690)
        minute += 90;
    else if (market.Left(3) == "HKS" && minute >= 720)
        minute += 60;
    CString date = m_model.Header().date;
    if (minute >= 1440)
        date = ShiftDateText(date, -1, CTime::GetCurrentTime().Format("%Y%m%d"));
    CString key = date + " " + FormatMinuteText(minute) + ":00";
    TrendTickNode* bucket = m_model.FindBucket(key);
    m_hoverTime = bucket ? bucket->strTime.Left(bucket->strTime.GetLength() - 3) : CString();
    m_hoverPrice = bucket ? bucket->strPrice : CString();
    m_hoverAverage = bucket ? bucket->strAvgPrice : CString();

    HFONT font = PointFont(100);
    CBrush tagBrush(kTagColour);
    CBrush* oldBrush = dc.SelectObject(&tagBrush);
    int tagLeft = std::min(x, W - 80);
    dc.Rectangle(tagLeft, H - 20, tagLeft + 80, H);
    Text(dc, FormatMinuteText(minute), tagLeft + 4, H - 18, tagLeft + 80, H, RGB(255, 255, 255), font, DT_LEFT);

    CString value;
    if (m_hoveredPanel == 0)
        value = Cut(scale.PriceAtY(y));
    else if (scale.PixelsPerVolume() > 0)
        value.Format("%d", (int)((H - 20 - y) / scale.PixelsPerVolume()));
    if (y >= 40 && y < H - 20 && (m_hoveredPanel == 0 ? y < B : true)) {
        dc.Rectangle(W - 60, y - 20, W, y);
        Text(dc, value, W - 56, y - 18, W, y, RGB(255, 255, 255), font, DT_LEFT);
    }
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CDriftlineDlg::PaintInfoBox(CDC& dc)
{
    CPen pen(PS_SOLID, 1, 0xF0F0F0);
    CBrush black(RGB(0, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&black);
    dc.Rectangle(3, 45, 80, 320);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);

    HFONT font = PointFont(90);
    struct Label {
        const char* text;
        int top;
    } labels[] = {{"时间", 47}, {"价位", 107}, {"涨跌", 147}, {"幅度", 187}, {"均价", 227}};
    for (const Label& l : labels)
        Text(dc, l.text, 8, l.top, 78, l.top + 20, kFlatColour, font, DT_LEFT);

    CString date = "--------", time = "--:--", price = "--", change = "--", percent = "--",
            average = "--";
    COLORREF colour = kFlatColour;
    if (!m_hoverTime.IsEmpty()) {
        int blank = m_hoverTime.Find(' ');
        date = blank >= 0 ? m_hoverTime.Left(blank) : m_hoverTime;
        time = blank >= 0 ? m_hoverTime.Mid(blank + 1) : CString();
        double reference = atof(m_model.Header().reference);
        double value = atof(m_hoverPrice);
        price = Cut(m_hoverPrice);
        change = Cut(value - reference);
        percent.Empty();
        if (reference != 0)
            percent.Format("%.2f%%", (value - reference) / reference * 100);
        average = Cut(m_hoverAverage);
        colour = PriceColour(m_hoverPrice);
    }
    Text(dc, date, 8, 67, 78, 87, colour, font, DT_LEFT);
    Text(dc, time, 8, 87, 78, 107, colour, font, DT_RIGHT);
    Text(dc, price, 8, 127, 78, 147, colour, font, DT_RIGHT);
    Text(dc, change, 8, 167, 78, 187, colour, font, DT_RIGHT);
    Text(dc, percent, 8, 207, 78, 227, colour, font, DT_RIGHT);
    Text(dc, average, 8, 247, 78, 267, colour, font, DT_RIGHT);
}

void CDriftlineDlg::PaintButtons(CDC& dc)
{
    const int W = m_model.Scale().Width();
    dc.FillSolidRect(W - 280, 2, 278, 18, RGB(0, 0, 0));
    HFONT font = TitleFont(true);
    Text(dc, "显示一档", W - 260, 5, W - 180, 25, m_hover[kOneLevel] ? kHoverColour : kNormalColour, font, DT_LEFT);
    Text(dc, "显示五档", W - 180, 5, W - 100, 25, m_hover[kFiveLevels] ? kHoverColour : kNormalColour, font, DT_LEFT);
    PaintArrowGlyph(dc, W - 92, 5, true, m_hover[kLeftArrow] ? kHoverColour : kNormalColour);
    PaintArrowGlyph(dc, W - 68, 5, false, m_hover[kRightArrow] ? kHoverColour : kNormalColour);
    PaintPanelGlyph(dc, W - 44, 5, m_hover[kPanelGlyph] ? kHoverColour : kNormalColour);
}
