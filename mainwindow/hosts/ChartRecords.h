// The records the main window builds for the chart and depth windows from its quotes, K-line
// bars and depth books, and the view rules of the quote area. Plain code: no window.
#pragma once
#include <afx.h>
#include "ChartTitleInfo.h"
#include "DepthBook.h"
#include "DepthSnapshot.h"
#include "DriftlineRecords.h"
#include "HistoryPacket.h"
#include "KLineBar.h"
#include "LadderviewRecords.h"
#include "QuoteRow.h"

// Views of the quote area.
enum { VIEW_QUOTE_LIST = 0, VIEW_CANDLES = 1, VIEW_TREND = 2 };

// The depth window's stock figures of a quote row; "---" where the row has no text.
DepthStockInfo BuildDepthStockInfo(const QuoteRow& row);

// The depth ladder of a quote row. A stock shows its five levels as they stand; any other
// instrument only its best bid (first buy row) and best ask (last sell row), the rest "---".
// The snapshot's numbers are left alone.
void FillSnapshotFromQuote(const QuoteRow& row, bool isStock, DepthSnapshot& snapshot);

// A depth book's ten levels (price and volume) into the snapshot, same sides and order.
void CopyDepthBook(const DepthBook& book, DepthSnapshot& snapshot);

DepthLevelsRecord SnapshotToLevels(const DepthSnapshot& snapshot);

// The depth window's first record: every text "---", every number 0xFF.
DepthLevelsRecord EmptyDepthLevels();

// The market of an instrument's market key by prefix ("CL", "GC", "SI", "ASM", "FEC", "CSM",
// "HKS", first match); empty when none matches.
CString MarketOfKey(const CString& marketKey);

// The view that Enter opens from the current one (list -> trend -> candles -> list).
int NextViewOnEnter(int view);

// The period a candlestick request can show: US shares and non-stocks fall back to day bars
// where the services have no such series.
int ChartPeriodFor(const CString& sectorName, int period, bool isStock);

// A session close cut to its hour ("15:15:00" -> "15:00:00").
CString CutToHour(const CString& time);

// The toolbar button of a candlestick period (-1 for a period without one).
int ToolbarButtonOfPeriod(int period);

// "YYYYMMDD HH:MM:SS" of a K-line bar's date and time.
CString KLineBarTimeText(const KLineBar& bar);

// A real-time bar of a K-line bar (flag byte 1: placed by its time).
WickplotBar* MakeBarFromKLine(const CString& code, const KLineBar& bar);

// The chart title of a quote row: name, period text, time of day, then the depth figures.
ChartTitleInfo BuildChartTitle(const QuoteRow& row, const CString& periodText,
                               const DepthStockInfo& info);

// The trade tick the depth windows add for a quote.
DepthTradeTick BuildTradeTick(const QuoteRow& row, const DepthStockInfo& info);

// The last n characters of a text (the whole text when shorter).
CString LastChars(const CString& text, int n);

// A trend packet of a loaded intraday series; takes nothing from the history packet.
TrendPacket* BuildTrendPacket(const HistoryPacket* history, const CString& code,
                              const CString& name, const CString& market,
                              const CString& previousClose);

// The K-line service name of a refreshable period ("minute1" ... "hour1"); empty otherwise.
CString PeriodServiceName(int period);

// Seconds since 1970 (local time) of "YYYYMMDD HH:MM:SS"; -1 when the text is not one.
__int64 QuoteTimeValue(const CString& quoteTime);

// How many bars the series refresh asks for: "all" unless the series was last loaded on the
// quote's day, then the periods passed since that load plus the open one.
CString RefreshSize(__int64 lastLoad, const CString& quoteTime, int period);

// Whether timer 3 reloads the trend at server time now (seconds): in the minute before the
// session opens (opening - 60 up to, not including, the opening) and at least 10 seconds
// after the trend of the instrument was last handed over (lastLoad, 0 when never).
bool IsTrendReloadDue(__int64 now, __int64 opening, __int64 lastLoad);

// The start date of a request for older bars: the given start (the oldest date loaded so
// far) moved back by the period's page (45 market days of day bars, 2, 3 or 5 of 15-, 30- and
// 60-minute bars, else 1), counted in calendar days with the weekends added; empty when the
// start is not a date.
CString OlderBarsStart(const CString& oldestStart, int period);

// Whether a time of day ("HH:MM...") lies after the session's close and before its next open.
// A session whose close is not after its open runs past midnight: it is over only between
// the close and the open.
bool IsPastSessionClose(const CString& timeOfDay, const CString& open, const CString& close);
