// Resource identifiers of the chart hosts of the main window.
#pragma once

#define IDD_KLINE_HOST  155
#define IDD_TREND_HOST  157
