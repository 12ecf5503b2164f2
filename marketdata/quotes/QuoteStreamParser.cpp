#include "QuoteStreamParser.h"

#include <stdio.h>
#include <algorithm>
#include <stdlib.h>
#include <string.h>

#include "ReplyMessages.h"
#include "TextHelpers.h"
#include "TextScanner.h"

namespace
{
enum TickKey
{
    KEY_LAST,
    KEY_BID_VOLUME,
    KEY_BID_PRICE,
    KEY_ASK_VOLUME,
    KEY_ASK_PRICE,
    KEY_VOLUME,
    KEY_HIGH,
    KEY_LOW,
    KEY_OPEN,
    KEY_PREV_CLOSE,
    KEY_START_TIME,
    KEY_STOP_TIME,
    KEY_COUNT
};

// In the order they are tried: the first key that the field holds applies.
const char* const kTickKeys[KEY_COUNT] = {"lP=", "bS=", "bP=", "aS=", "aP=", "volume=",
                                          "highPrice=", "lowPrice=", "openPrice=", "closePrice=",
                                          "startTime=", "stopTime="};

CString FormatDouble(double value)
{
    // "%f" of any double fits: at most 309 integer digits, the point and six decimals.
    char text[400];
    const int length = snprintf(text, sizeof(text), "%f", value);
    return CString(text, length < 0 ? 0 : std::min<int>(length, (int)sizeof(text) - 1));
}

CString PriceOrEmpty(const CString& value)
{
    return atof(value) >= 0.0 ? value : CString();
}

CString VolumeOrEmpty(const CString& value)
{
    return atoi(value) >= 0 ? value : CString();
}

void ApplyLastPrice(QuoteRow& row, const CString& value)
{
    if (value != row.strLastPrice)
        row.nChangeFlags |= QUOTE_PRICE_MOVED;
    const double last = atof(value);
    if (last < 0.0)
    {
        row.strLastPrice.Empty();
        return;
    }
    row.strLastPrice = value;
    if (atof(row.strHigh) < last)
        row.strHigh = value;
    // An empty low has not been set yet; read as 0 it would never follow the price.
    if (row.strLow.IsEmpty() || atof(row.strLow) > last)
        row.strLow = value;
}

void ApplyVolume(QuoteRow& row, const CString& value)
{
    const int volume = atoi(value);
    if (volume < 0)
    {
        row.strVolume.Empty();
        row.strVolumeSinceLast = "0";
        return;
    }
    const int previous = atoi(row.strVolume);
    if (volume != 0 && previous != 0 && volume > previous)
        row.strVolumeSinceLast.Format("%d", volume - previous);
    else
        row.strVolumeSinceLast = "0";
    row.strVolume = value;
    if (atoi(row.strVolumeSinceLast) != 0)
        row.nChangeFlags |= QUOTE_VOLUME_MOVED;
}

void UpdateChange(QuoteRow& row)
{
    if (row.strLastPrice.IsEmpty() || row.strPrevClose.IsEmpty())
    {
        row.strChange.Empty();
        row.strChangePercent.Empty();
        return;
    }
    const double prevClose = atof(row.strPrevClose);
    row.strChange = FormatDouble(atof(row.strLastPrice) - prevClose);
    if (prevClose == 0.0)
        row.strChangePercent.Empty();
    else
        row.strChangePercent = FormatDouble(atof(row.strChange) * 100.0 / prevClose);
}
}

CQuoteStreamParser::CQuoteStreamParser()
{
}

void CQuoteStreamParser::BeginCycle()
{
    for (auto& entry : m_pending)
        entry.second.vecTicks.clear();
}

void CQuoteStreamParser::ParseMessage(const NetMessage& message, int& quoteDownFlag, const CString& userName,
                                      HWND mainWindow)
{
    const CString& text = message.strText;
    const CTextScanner scanner(text);
    if (scanner.Find("status:1", 0) >= 0)
        HandleLogin(text, quoteDownFlag, userName);
    else if (scanner.Find("status:-1", 0) >= 0)
        return;
    else if (scanner.Find("status:-2", 0) >= 0)
        ::SendMessage(mainWindow, WM_NEW_VERSION_FOUND, 0, 0);
    else if (scanner.Find("contractlist", 0) >= 0)
        HandleContractList(text, quoteDownFlag, mainWindow);
    else
        HandleTicks(message);
}

void CQuoteStreamParser::HandleLogin(const CString& text, int& quoteDownFlag, const CString& userName)
{
    if (text.Find("name:" + userName) < 0)
        return;
    quoteDownFlag = 0;
    CStringArray pieces;
    SplitString(pieces, text, "#", true, false);
    for (INT_PTR i = 0; i < pieces.GetSize(); ++i)
    {
        CString piece = pieces[i];
        if (piece.Find("opentime:") >= 0)
        {
            piece.Replace("opentime:", "");
            m_openTime = piece;
        }
        else if (piece.Find("stoptime:") >= 0)
        {
            piece.Replace("stoptime:", "");
            m_stopTime = piece;
        }
    }
}

int CQuoteStreamParser::ParseContractList(const CString& message)
{
    CStringArray items;
    ExtractBracketed(message, items, "[", "]");
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
    {
        CStringArray fields;
        SplitString(fields, items[i], "|", true, false);
        if (fields.GetSize() < 3)
            continue;
        if (fields[0] == "contractlist")
        {
            m_contractTexts[0] = fields[1];
            const int dash = fields[2].Find('-');
            if (dash >= 0)
            {
                m_contractTexts[1] = fields[2].Left(dash);
                m_contractTexts[2] = fields[2].Mid(dash + 1);
            }
            continue;
        }
        ContractRecord contract;
        contract.strCode = fields[0];
        contract.strName = fields[1];
        contract.nNumber = atoi(fields[2]);
        contract.strExtra = fields.GetSize() > 3 ? fields[3] : CString("NULL");
        m_contracts[contract.strCode] = contract;
    }
    return (int)m_contracts.size();
}

void CQuoteStreamParser::HandleContractList(const CString& text, int quoteDownFlag, HWND mainWindow)
{
    if (ParseContractList(text) == 0)
        return;
    for (const auto& entry : m_contracts)
    {
        QuoteRow row;
        row.strCode = entry.second.strCode;
        row.strName = entry.second.strName;
        row.strStartTime = m_openTime;
        row.strStopTime = m_stopTime;
        row.bChanged = false;
        m_rows[entry.first] = row;

        QuoteUpdate update;
        update.rowLatest.nHalted = quoteDownFlag;
        m_pending[entry.first] = update;
    }
    ::SendMessage(mainWindow, WM_QUOTE_CONNECTION_DATA, (WPARAM)m_contractTexts, (LPARAM)&m_contracts);
}

void CQuoteStreamParser::HandleTicks(const NetMessage& message)
{
    const CString& text = message.strText;
    CTextScanner scanner(text);
    const int length = text.GetLength();
    int begin = 0;
    while (begin <= length)
    {
        int end = scanner.Find('@', begin);
        if (end < 0)
            end = length;

        // The record's first two bracketed items: the code and one "key=value" field.
        int itemBegin[2] = {0, 0};
        int itemEnd[2] = {0, 0};
        int found = 0;
        for (int cursor = begin; found < 2;)
        {
            const int open = scanner.Find('[', cursor, end);
            const int close = scanner.Find(']', cursor, end);
            if (open < 0 || close < 0 || close < open + 1)
                break;
            itemBegin[found] = open + 1;
            itemEnd[found] = close;
            ++found;
            cursor = close + 1;
        }
        if (found == 2)
        {
            auto contract = m_contracts.find(scanner.Mid(itemBegin[0], itemEnd[0]));
            if (contract != m_contracts.end())
                ApplyTick(contract->second, scanner, itemBegin[1], itemEnd[1], message.strTime);
        }
        begin = end + 1;
    }
}

void CQuoteStreamParser::ApplyTick(const ContractRecord& contract, const CTextScanner& text, int fieldBegin,
                                   int fieldEnd, const CString& time)
{
    QuoteRow& row = m_rows[contract.strCode];
    row.strQuoteTime = time;
    row.strCode = contract.strCode;
    row.strName = contract.strName;
    row.bChanged = true;
    row.nChangeFlags = 0;

    int key = 0;
    int keyAt = -1;
    while (key < KEY_COUNT && (keyAt = text.Find(kTickKeys[key], fieldBegin, fieldEnd)) < 0)
        ++key;
    if (key < KEY_COUNT)
    {
        // The value is the field without its key: "key=value" as a rule, but a key that
        // stands elsewhere (or twice) is cut out wherever it stands.
        const int keyLength = (int)strlen(kTickKeys[key]);
        CString value;
        if (keyAt == fieldBegin && text.Find(kTickKeys[key], fieldBegin + keyLength, fieldEnd) < 0)
            value = text.Mid(fieldBegin + keyLength, fieldEnd);
        else
        {
            value = text.Mid(fieldBegin, fieldEnd);
            value.Replace(kTickKeys[key], "");
        }
        switch (key)
        {
        case KEY_LAST:
            ApplyLastPrice(row, value);
            break;
        case KEY_BID_VOLUME:
            row.strBid1Volume = VolumeOrEmpty(value);
            break;
        case KEY_BID_PRICE:
            row.strBid1Price = PriceOrEmpty(value);
            break;
        case KEY_ASK_VOLUME:
            row.strAsk1Volume = VolumeOrEmpty(value);
            break;
        case KEY_ASK_PRICE:
            row.strAsk1Price = PriceOrEmpty(value);
            break;
        case KEY_VOLUME:
            ApplyVolume(row, value);
            break;
        case KEY_HIGH:
            row.strHigh = PriceOrEmpty(value);
            break;
        case KEY_LOW:
            row.strLow = PriceOrEmpty(value);
            break;
        case KEY_OPEN:
            row.strOpen = PriceOrEmpty(value);
            break;
        case KEY_PREV_CLOSE:
            row.strPrevClose = PriceOrEmpty(value);
            break;
        case KEY_START_TIME:
            row.strStartTime = value;
            break;
        case KEY_STOP_TIME:
            row.strStopTime = value;
            break;
        }
        // Change and percentage follow from the last price and the previous close alone, so
        // only ticks of those two can move them.
        if (key == KEY_LAST || key == KEY_PREV_CLOSE)
            UpdateChange(row);
    }
    if (row.nChangeFlags > 0)
        m_pending[contract.strCode].vecTicks.push_back(row);
}

void CQuoteStreamParser::BuildBatch(QuoteBatch& batch, int quoteDownFlag)
{
    batch.clear();
    for (const auto& entry : m_contracts)
    {
        auto row = m_rows.find(entry.first);
        if (row == m_rows.end() || !row->second.bChanged)
            continue;
        QuoteUpdate& pending = m_pending[entry.first];
        pending.rowLatest = row->second;
        pending.rowLatest.nHalted = quoteDownFlag;
        row->second.bChanged = false;
        // The cycle's rows move into the batch: the next cycle starts the history afresh.
        batch.emplace_back();
        batch.back().rowLatest = pending.rowLatest;
        batch.back().vecTicks.swap(pending.vecTicks);
    }
}

void CQuoteStreamParser::BuildHaltedBatch(QuoteBatch& batch)
{
    batch.clear();
    for (const auto& entry : m_contracts)
    {
        QuoteUpdate& pending = m_pending[entry.first];
        auto row = m_rows.find(entry.first);
        if (row != m_rows.end())
            pending.rowLatest = row->second;
        pending.rowLatest.nHalted = 1;
        pending.vecTicks.clear();
        batch.push_back(pending);
    }
}
