#include "DeskProbe.h"
#include <cstdio>
#include "ConnectionStates.h"
#include "DeskParts.h"
#include "ReplyMessages.h"
#include "TextHelpers.h"
#include <TradingMessages.h>
#include <TradingRecords.h>

namespace {

const UINT kPlaceOrder = 11081;
const UINT kQueryPositions = 11078;
const UINT kOrderSelected = 11084;
const UINT kCancelOrder = 11085;
const UINT kCancelAllOrders = 11086;
const UINT kQueryTabChanged = 11096;
const UINT kQueryHistory = 11097;
const UINT kClosePosition = 11118;
const UINT kCloseAllPositions = 11119;
const UINT kRefreshFills = 11113;
const UINT kRiskButton = 5;

void Line(CString& text, const char* name, const CString& value)
{
    text += name;
    text += "=";
    text += value;
    text += "\n";
}

CString Number(int value)
{
    CString text;
    text.Format("%d", value);
    return text;
}

void Rows(CString& text, const char* name, const std::vector<CString>& rows)
{
    Line(text, (CString(name) + "s").GetString(), Number((int)rows.size()));
    for (const CString& row : rows)
        Line(text, name, row);
}

bool WriteFileReplacing(const CString& path, const CString& text)
{
    const CString temporary = path + ".tmp";
    FILE* file = fopen(temporary, "wb");
    if (file == nullptr)
        return false;
    const bool written = fwrite(text.GetString(), 1, text.GetLength(), file) == (size_t)text.GetLength();
    fclose(file);
    return written && ::MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

CString CDeskProbe::StatePath()
{
    char path[MAX_PATH] = {0};
    const DWORD length = ::GetEnvironmentVariableA("TOLVAN_DESK_PROBE", path, sizeof(path));
    return length > 0 && length < sizeof(path) ? CString(path) : CString();
}

bool CDeskProbe::WriteState(const CString& text)
{
    const CString path = StatePath();
    return !path.IsEmpty() && WriteFileReplacing(path, text);
}

CString CDeskProbe::StateText(CDeskParts& parts, const CString& moreState)
{
    CTradingDesk& desk = parts.Desk();
    CTradePanelWindows& windows = parts.Windows();
    CString text;
    Line(text, "trade", Number(TradeConnectionState));
    Line(text, "query", Number(QueryConnectionState));
    Line(text, "pending", Number(desk.Gate().GetPending()));
    Rows(text, "order", windows.OrderRows());
    Rows(text, "position", windows.PositionRows());
    Rows(text, "fill", windows.FillRows());
    CString funds;
    for (int i = 0; i < SummaryRecord::kFieldCount; ++i)
        funds += desk.GetFunds().strFields[i] + "|";
    Line(text, "funds", funds);
    // The total assets of the panel header's figures (empty while it shows a status).
    Line(text, "header", windows.HeaderFunds().strFields[0]);
    CRiskMonitor& risk = desk.Risk();
    CString riskText;
    riskText.Format("%d %d %.2f", risk.IsRunning() ? 1 : 0, (int)risk.GetState(), risk.GetLine());
    Line(text, "risk", riskText);
    // Whether the monitor holds a real total-assets figure, and the ticks it has judged.
    CString judged;
    judged.Format("%d %u", risk.HasAssets() ? 1 : 0, risk.GetTicksJudged());
    Line(text, "risk-judged", judged);
    const int alarms = windows.PlayCount(CRiskMonitor::AlarmSound());
    Line(text, "alarm", Number(risk.IsAlarmSounding() ? 1 : 0));
    Line(text, "alarm-plays", Number(alarms));
    Line(text, "sound-stops", Number(windows.SoundStops()));
    Line(text, "console-stops", Number(windows.ConsoleStops()));
    text += moreState;
    text += "end\n";
    return text;
}

bool CDeskProbe::Run(HWND main, CDeskParts& parts, const CString& command,
                     const std::function<CString()>& moreState)
{
    CStringArray words;
    SplitString(words, command, " ", true, false);
    if (words.GetSize() == 0)
        return false;
    const CString verb = words[0];
    if (verb == "ticket" && words.GetSize() == 7)
    {
        OrderTicket ticket;
        ticket.direction = words[1];
        ticket.priceType = words[2];
        ticket.code = words[3];
        ticket.price = words[4] == "-" ? CString() : words[4];
        ticket.quantity = words[5];
        ticket.priceStep = words[6];
        ::SendMessage(main, kPlaceOrder, (WPARAM)&ticket, 0);
        return true;
    }
    if (verb == "select-order" && words.GetSize() == 2)
    {
        OrderEntry chosen;
        for (const OrderEntry& entry : parts.Desk().Orders().AllOrders())
            if (entry[OrderEntry::ORDER_NO] == words[1])
                chosen = entry;
        ::SendMessage(main, kOrderSelected, (WPARAM)&chosen, 0);
        return true;
    }
    if (verb == "select-position" && words.GetSize() == 2)
    {
        const CString row = "|" + words[1] + "|";
        ::SendMessage(main, WM_POSITIONS_ROW, (WPARAM)&row, 0);
        return true;
    }
    if (verb == "query-funds")
    {
        ::SendMessage(main, kQueryTabChanged, 0, 0);
        QueryRequest request;
        request.command = "查询";
        ::SendMessage(main, kQueryHistory, (WPARAM)&request, 0);
        return true;
    }
    const struct
    {
        const char* verb;
        UINT message;
    } plain[] = {{"cancel", kCancelOrder},       {"cancel-all", kCancelAllOrders}, {"close", kClosePosition},
                 {"close-all", kCloseAllPositions}, {"query-positions", kQueryPositions},
                 {"refresh-fills", kRefreshFills}};
    for (const auto& entry : plain)
        if (verb == entry.verb)
        {
            ::SendMessage(main, entry.message, 0, 0);
            return true;
        }
    if (verb == "risk-button")
    {
        ::SendMessage(main, WM_COMMAND, kRiskButton, 0);
        return true;
    }
    if (verb == "dump")
        return WriteState(StateText(parts, moreState()));
    return false;
}
