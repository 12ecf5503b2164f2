// Paints the whole candlestick chart off-screen and copies it to the window in one transfer:
// frame and grid, the title bar with the quote figures, the three rendered panels, axis
// values, legends, time labels, the cross-hair with its value boxes and the information box,
// and the title bar's hot texts and buttons.
#pragma once
#include "PanelRenderer.h"

#include <ChartTitleInfo.h>

// The title bar's hot zones, in the order a click tests them.
enum TitleZone
{
    kZonePageOlder,    // left-pointing triangle
    kZonePageNewer,    // right-pointing triangle
    kZoneOneLevel,     // "显示一档"
    kZoneFiveLevels,   // "显示五档"
    kZonePanel,        // rectangle with a vertical line
    kZoneFourth,       // nothing drawn
    kZoneCount
};

// The zone under a client point of a window W pixels wide, -1 when none.
int TitleZoneAt(int x, int y, int width);

struct ChartPaintState
{
    const CBarSeries* pSeries = nullptr;
    ChartView view;
    ChartLayout layout;
    int nDecimals = 5;
    ChartTitleInfo title;
    bool bCrossShown = false;
    POINT mouse = {};
    bool hover[kZoneCount] = {};
    SelectedLines selected;
    bool bSelecting = false;          // an interval selection is being dragged
    RECT selection = {};
};

class CChartPainter
{
public:
    CChartPainter();
    ~CChartPainter();

    // Renders the panels again when panelsChanged (or never rendered), then composes and
    // copies the picture to hTarget at 0,0.
    void Paint(HDC hTarget, const ChartPaintState& state, bool panelsChanged);
    void Free();

    const CPanelRenderer& Renderer() const { return m_renderer; }

private:
    void PaintFrame(HDC dc, const ChartPaintState& s);
    void PaintTitle(HDC dc, const ChartPaintState& s);
    void PaintPanels(HDC dc, const ChartPaintState& s);
    void PaintAxes(HDC dc, const ChartPaintState& s);
    void PaintLegends(HDC dc, const ChartPaintState& s, int bar);
    void PaintTimeLabels(HDC dc, const ChartPaintState& s);
    void PaintCrossHair(HDC dc, const ChartPaintState& s, int bar);
    void PaintInfoBox(HDC dc, const ChartPaintState& s, int bar);
    void PaintHotZones(HDC dc, const ChartPaintState& s);
    CString Price(double value, int decimals) const;

    CPanelRenderer m_renderer;
    bool m_bRendered = false;
    HDC m_hPicture = NULL;
    HBITMAP m_hPictureBitmap = NULL;
    HGDIOBJ m_hOldBitmap = NULL;
    int m_nPictureWidth = 0;
    int m_nPictureHeight = 0;
    HFONT m_hTitleFont = NULL;      // "宋体" 12 px
    HFONT m_hHotFont = NULL;        // the same, underlined
    HFONT m_hAxisFont = NULL;       // "Arial" 15 px bold
    HFONT m_hLegendFont = NULL;     // "Tahoma" 14 px
    HFONT m_hBoxFont = NULL;        // "宋体" 10 pt
};
