#include "QuoteStreamParser.h"

#include <algorithm>
#include <string.h>

#include "MarketDataMessages.h"
#include "ReplyMessages.h"
#include "StreamNumbers.h"
#include "StreamText.h"
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
const int kTickKeyLengths[KEY_COUNT] = {3, 3, 3, 3, 3, 7, 10, 9, 10, 11, 10, 9};

const char kContractListWord[] = "contractlist";
const int kContractListWordLength = (int)sizeof(kContractListWord) - 1;

enum MessageKind
{
    MESSAGE_LOGIN,
    MESSAGE_REFUSED,
    MESSAGE_UPDATE_NEEDED,
    MESSAGE_CONTRACT_LIST,
    MESSAGE_TICKS
};

// True when one of the eight bytes of word equals ch.
bool WordHasByte(unsigned long long word, char ch)
{
    const unsigned long long ones = 0x0101010101010101ULL;
    const unsigned long long x = word ^ (ones * (unsigned char)ch);
    return ((x - ones) & ~x & 0x8080808080808080ULL) != 0;
}

// The words that decide a message's kind; when several occur, the first kind in MessageKind
// order wins. One pass reads eight bytes at a time for a byte above 0x7F and for the first
// letters of the words; text with double-byte characters is walked again character by
// character, so that a trail byte never starts a word. singleByte tells which it was.
MessageKind ClassifyMessage(const char* text, int length, bool& singleByte)
{
    bool refused = false;
    bool updateNeeded = false;
    bool contractList = false;
    // True for an accepted login, which decides at once.
    auto loginAt = [&](int at) {
        if (text[at] == 'c')
        {
            contractList = contractList || StreamTextAt(text, at, length, kContractListWord, kContractListWordLength);
            return false;
        }
        if (text[at] != 's' || !StreamTextAt(text, at, length, "status:", 7))
            return false;
        if (StreamTextAt(text, at + 7, length, "1", 1))
            return true;
        refused = refused || StreamTextAt(text, at + 7, length, "-1", 2);
        updateNeeded = updateNeeded || StreamTextAt(text, at + 7, length, "-2", 2);
        return false;
    };

    // In single-byte text only an "s" can begin a word or stand in "contractlist".
    const int kListS = 10;   // "contractli" precedes its "s"
    auto wordsAround = [&](int at) {
        if (at >= kListS && text[at - kListS] == 'c' && loginAt(at - kListS))
            return true;
        return loginAt(at);
    };
    singleByte = true;
    int at = 0;
    for (; singleByte && at + 8 <= length; at += 8)
    {
        unsigned long long word;
        memcpy(&word, text + at, sizeof(word));
        if ((word & 0x8080808080808080ULL) != 0)
            singleByte = false;
        else if (WordHasByte(word, 's'))
            for (int i = at; i < at + 8; ++i)
                if (text[i] == 's' && wordsAround(i))
                    return MESSAGE_LOGIN;
    }
    for (; singleByte && at < length; ++at)
    {
        if ((unsigned char)text[at] >= 0x80)
            singleByte = false;
        else if (text[at] == 's' && wordsAround(at))
            return MESSAGE_LOGIN;
    }
    if (!singleByte)
    {
        refused = updateNeeded = contractList = false;
        for (at = 0; at < length; at += StreamCharSize(text, at, length))
            if (loginAt(at))
                return MESSAGE_LOGIN;
    }
    if (refused)
        return MESSAGE_REFUSED;
    if (updateNeeded)
        return MESSAGE_UPDATE_NEEDED;
    return contractList ? MESSAGE_CONTRACT_LIST : MESSAGE_TICKS;
}

// Reads the record that starts at `at` up to its "@" (or the end of the message): its first
// two bracketed items, each from a "[" to the first "]" after it, are the code and one
// "key=value" field. A "]" before the next "[" ends the items of the record. Returns the
// position of the record's end.
template <bool SingleByte>
int ReadRecord(const char* text, int at, int length, int itemBegin[2], int itemEnd[2], int& items)
{
    int open = -1;
    bool itemsDone = false;
    int end = at;
    for (; end < length; end += SingleByte ? 1 : StreamCharSize(text, end, length))
    {
        const char c = text[end];
        if (c == '@')
            break;
        if (itemsDone)
            continue;
        if (open < 0)
        {
            if (c == '[')
                open = end;
            else if (c == ']')
                itemsDone = true;
        }
        else if (c == ']')
        {
            itemBegin[items] = open + 1;
            itemEnd[items] = end;
            open = -1;
            itemsDone = ++items == 2;
        }
    }
    return end;
}

// The usual record of single-byte text, exactly "[code][field]" and its "@" or the end of the
// message, read straight through: the record's end, or -1 for any other shape.
int ReadPlainRecord(const char* text, int at, int length, int itemBegin[2], int itemEnd[2])
{
    for (int item = 0; item < 2; ++item)
    {
        if (at >= length || text[at] != '[')
            return -1;
        int close = at + 1;
        while (close < length && text[close] != ']' && text[close] != '@')
            ++close;
        if (close >= length || text[close] != ']')
            return -1;
        itemBegin[item] = at + 1;
        itemEnd[item] = close;
        at = close + 1;
    }
    return at == length || text[at] == '@' ? at : -1;
}

// Bytes up to the first zero byte: codes compare as strcmp compares them, as in the maps.
int CodeLength(const char* code, int length)
{
    const int zero = FindStreamByte(code, 0, length, '\0');
    return zero < 0 ? length : zero;
}

// The comparison of CString's operator==: equal lengths and equal up to the first zero byte.
bool SameText(const CString& stored, const char* text, int length)
{
    if (stored.GetLength() != length)
        return false;
    if (SameStreamBytes(stored.GetString(), text, length))
        return true;
    return FindStreamByte(text, 0, length, '\0') >= 0 && strncmp(stored.GetString(), text, (size_t)length) == 0;
}

double TextReal(const CString& text)
{
    return ReadStreamReal(text.GetString(), text.GetLength());
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A value that begins with a digit reads as a number of at least 0 whatever follows.
void PriceOrEmpty(CQuoteTextCache& texts, CString& field, const char* value, int length)
{
    if ((length > 0 && IsDigit(value[0])) || ReadStreamReal(value, length) >= 0.0)
        texts.Assign(field, value, length);
    else
        field.Empty();
}

void VolumeOrEmpty(CQuoteTextCache& texts, CString& field, const char* value, int length)
{
    if (ReadStreamInt64(value, length) >= 0)
        texts.Assign(field, value, length);
    else
        field.Empty();
}

void ApplyLastPrice(CQuoteTextCache& texts, QuoteRow& row, const char* value, int length)
{
    if (!SameText(row.strLastPrice, value, length))
        row.nChangeFlags |= QUOTE_PRICE_MOVED;
    const double last = ReadStreamReal(value, length);
    if (last < 0.0)
    {
        row.strLastPrice.Empty();
        return;
    }
    texts.Assign(row.strLastPrice, value, length);
    if (TextReal(row.strHigh) < last)
        texts.Assign(row.strHigh, value, length);
    // An empty low has not been set yet; read as 0 it would never follow the price.
    if (row.strLow.IsEmpty() || TextReal(row.strLow) > last)
        texts.Assign(row.strLow, value, length);
}

// Day volumes of busy instruments pass 2^31: counted in 64 bits, like the HTTP quotes.
void ApplyVolume(CQuoteTextCache& texts, QuoteRow& row, const char* value, int length)
{
    const __int64 volume = ReadStreamInt64(value, length);
    if (volume < 0)
    {
        row.strVolume.Empty();
        texts.Assign(row.strVolumeSinceLast, "0", 1);
        return;
    }
    const __int64 previous = ReadStreamInt64(row.strVolume.GetString(), row.strVolume.GetLength());
    if (volume != 0 && previous != 0 && volume > previous)
    {
        char text[24];
        texts.Assign(row.strVolumeSinceLast, text, FormatStreamInt64(volume - previous, text));
        row.nChangeFlags |= QUOTE_VOLUME_MOVED;
    }
    else
        texts.Assign(row.strVolumeSinceLast, "0", 1);
    texts.Assign(row.strVolume, value, length);
}

void UpdateChange(CQuoteTextCache& texts, QuoteRow& row)
{
    if (row.strLastPrice.IsEmpty() || row.strPrevClose.IsEmpty())
    {
        row.strChange.Empty();
        row.strChangePercent.Empty();
        return;
    }
    const double prevClose = TextReal(row.strPrevClose);
    char text[STREAM_NUMBER_TEXT_SIZE];
    int length = FormatStreamReal(TextReal(row.strLastPrice) - prevClose, text);
    texts.Assign(row.strChange, text, length);
    if (prevClose == 0.0)
    {
        row.strChangePercent.Empty();
        return;
    }
    // The percentage is taken from the change as written, six decimals and all.
    length = FormatStreamReal(ReadStreamReal(text, length) * 100.0 / prevClose, text);
    texts.Assign(row.strChangePercent, text, length);
}

void ApplyKey(CQuoteTextCache& texts, QuoteRow& row, int key, const char* value, int length)
{
    switch (key)
    {
    case KEY_LAST:
        ApplyLastPrice(texts, row, value, length);
        break;
    case KEY_BID_VOLUME:
        VolumeOrEmpty(texts, row.strBid1Volume, value, length);
        break;
    case KEY_BID_PRICE:
        PriceOrEmpty(texts, row.strBid1Price, value, length);
        break;
    case KEY_ASK_VOLUME:
        VolumeOrEmpty(texts, row.strAsk1Volume, value, length);
        break;
    case KEY_ASK_PRICE:
        PriceOrEmpty(texts, row.strAsk1Price, value, length);
        break;
    case KEY_VOLUME:
        ApplyVolume(texts, row, value, length);
        break;
    case KEY_HIGH:
        PriceOrEmpty(texts, row.strHigh, value, length);
        break;
    case KEY_LOW:
        PriceOrEmpty(texts, row.strLow, value, length);
        break;
    case KEY_OPEN:
        PriceOrEmpty(texts, row.strOpen, value, length);
        break;
    case KEY_PREV_CLOSE:
        PriceOrEmpty(texts, row.strPrevClose, value, length);
        break;
    case KEY_START_TIME:
        texts.Assign(row.strStartTime, value, length);
        break;
    case KEY_STOP_TIME:
        texts.Assign(row.strStopTime, value, length);
        break;
    }
    // Change and percentage follow from the last price and the previous close alone, so
    // only ticks of those two can move them.
    if (key == KEY_LAST || key == KEY_PREV_CLOSE)
        UpdateChange(texts, row);
}

// The usual field: it begins with its key and holds no further "=". Every key ends in "=" and
// none is the tail of another, so no other key can stand in such a field and the value is
// simply the rest. -1 for any other field.
int PlainFieldKey(const char* field, int length)
{
    for (int key = 0; key < KEY_COUNT; ++key)
    {
        const int keyLength = kTickKeyLengths[key];
        if (field[0] == kTickKeys[key][0] && length >= keyLength && SameStreamBytes(field, kTickKeys[key], keyLength))
            return FindStreamByte(field, keyLength, length, '=') < 0 ? key : -1;
    }
    return -1;
}

// Any other field: the first key it contains applies, and the value is the field with that
// key cut out wherever it stands. -1 when the field holds no key.
int GeneralFieldKey(const char* field, int length, CString& value)
{
    const CTextScanner text(field, length);
    for (int key = 0; key < KEY_COUNT; ++key)
    {
        const int keyAt = text.Find(kTickKeys[key], 0);
        if (keyAt < 0)
            continue;
        if (keyAt == 0 && text.Find(kTickKeys[key], kTickKeyLengths[key]) < 0)
            value = text.Mid(kTickKeyLengths[key], length);
        else
        {
            value = text.Mid(0, length);
            value.Replace(kTickKeys[key], "");
        }
        return key;
    }
    return -1;
}
}

CQuoteStreamParser::CQuoteStreamParser()
    : m_lastFound(nullptr), m_heldTicks(0)
{
}

CQuoteStreamParser::~CQuoteStreamParser()
{
}

void CQuoteStreamParser::BeginCycle()
{
    // Only instruments changed since the last batch can hold tick rows.
    for (Instrument* instrument : m_changed)
        instrument->ticks.clear();
    m_heldTicks = 0;
}

void CQuoteStreamParser::ParseMessage(const NetMessage& message, int& quoteDownFlag, const CString& userName,
                                      HWND mainWindow)
{
    const CString& text = message.strText;
    bool singleByte;
    switch (ClassifyMessage(text.GetString(), text.GetLength(), singleByte))
    {
    case MESSAGE_LOGIN:
        HandleLogin(text, quoteDownFlag, userName);
        break;
    case MESSAGE_REFUSED:
        break;
    case MESSAGE_UPDATE_NEEDED:
        ::SendMessage(mainWindow, WM_NEW_VERSION_FOUND, 0, 0);
        break;
    case MESSAGE_CONTRACT_LIST:
        HandleContractList(text, quoteDownFlag, mainWindow);
        break;
    case MESSAGE_TICKS:
        if (singleByte)
            HandleTicks<true>(message, quoteDownFlag, mainWindow);
        else
            HandleTicks<false>(message, quoteDownFlag, mainWindow);
        break;
    }
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
    const char* text = message.GetString();
    const int length = message.GetLength();
    // Items "[" ... "]", each up to the first "]" after its "["; a "]" before the next "["
    // ends the list.
    for (int at = 0;;)
    {
        int open = at;
        while (open < length && text[open] != '[' && text[open] != ']')
            open += StreamCharSize(text, open, length);
        if (open >= length || text[open] != '[')
            break;
        const int close = FindStreamChar(text, open + 1, length, ']');
        if (close < 0)
            break;
        const char* item = text + open + 1;
        const int itemLength = close - open - 1;
        at = close + 1;

        // The "|"-separated fields; a last empty field is dropped.
        const int kKeptFields = 4;
        int fieldBegin[kKeptFields] = {0, 0, 0, 0};
        int fieldEnd[kKeptFields] = {0, 0, 0, 0};
        int fields = 0;
        int fieldStart = 0;
        for (int bar = FindStreamChar(item, 0, itemLength, '|'); bar >= 0;
             bar = FindStreamChar(item, fieldStart, itemLength, '|'))
        {
            if (fields < kKeptFields)
            {
                fieldBegin[fields] = fieldStart;
                fieldEnd[fields] = bar;
            }
            ++fields;
            fieldStart = bar + 1;
        }
        if (fieldStart < itemLength)
        {
            if (fields < kKeptFields)
            {
                fieldBegin[fields] = fieldStart;
                fieldEnd[fields] = itemLength;
            }
            ++fields;
        }
        if (fields < 3)
            continue;

        const CTextScanner fieldText(item, itemLength);
        if (fieldEnd[0] - fieldBegin[0] == kContractListWordLength &&
            SameStreamBytes(item + fieldBegin[0], kContractListWord, kContractListWordLength))
        {
            m_contractTexts[0] = fieldText.Mid(fieldBegin[1], fieldEnd[1]);
            const int dash = fieldText.Find('-', fieldBegin[2], fieldEnd[2]);
            if (dash >= 0)
            {
                m_contractTexts[1] = fieldText.Mid(fieldBegin[2], dash);
                m_contractTexts[2] = fieldText.Mid(dash + 1, fieldEnd[2]);
            }
            continue;
        }
        // A code with a zero byte is no code: the maps compare codes as C texts, so it would
        // merge with the code before the zero byte.
        if (FindStreamByte(item, fieldBegin[0], fieldEnd[0], '\0') >= 0)
            continue;
        ContractRecord contract;
        contract.strCode = fieldText.Mid(fieldBegin[0], fieldEnd[0]);
        contract.strName = fieldText.Mid(fieldBegin[1], fieldEnd[1]);
        contract.nNumber = ReadStreamInt(item + fieldBegin[2], fieldEnd[2] - fieldBegin[2]);
        contract.strExtra = fields > 3 ? fieldText.Mid(fieldBegin[3], fieldEnd[3]) : CString("NULL");
        AddContract(contract);
    }
    return (int)m_contracts.size();
}

void CQuoteStreamParser::AddContract(const ContractRecord& contract)
{
    ContractRecord& stored = m_contracts[contract.strCode];
    stored = contract;
    auto added = m_instruments.try_emplace(contract.strCode);
    if (!added.second)
        return;
    Instrument& instrument = added.first->second;
    instrument.code = &added.first->first;
    instrument.codeLength = CodeLength(instrument.code->GetString(), instrument.code->GetLength());
    instrument.contract = &stored;
    IndexInstrument(&instrument);
}

void CQuoteStreamParser::IndexInstrument(Instrument* instrument)
{
    // Kept at most half full, so probe sequences stay short.
    if ((m_instruments.size() + 1) * 2 > m_index.size())
    {
        std::vector<Instrument*> old;
        old.swap(m_index);
        m_index.assign(std::max<size_t>(64, old.size() * 2), nullptr);
        for (Instrument* entry : old)
            if (entry != nullptr)
                IndexInstrument(entry);
    }
    const size_t mask = m_index.size() - 1;
    size_t slot = (size_t)HashStreamBytes(instrument->code->GetString(), instrument->codeLength) & mask;
    while (m_index[slot] != nullptr)
        slot = (slot + 1) & mask;
    m_index[slot] = instrument;
}

CQuoteStreamParser::Instrument* CQuoteStreamParser::FindInstrument(const char* code, int length)
{
    // No instrument has a zero byte in its code (the contract list refuses them), and a tick
    // of "XAUUSD\0" must not move "XAUUSD".
    if (m_index.empty() || FindStreamByte(code, 0, length, '\0') >= 0)
        return nullptr;
    // Ticks come in runs of one instrument: the last one found is asked first.
    if (m_lastFound != nullptr && m_lastFound->codeLength == length &&
        SameStreamBytes(m_lastFound->code->GetString(), code, length))
        return m_lastFound;
    const size_t mask = m_index.size() - 1;
    for (size_t slot = (size_t)HashStreamBytes(code, length) & mask; m_index[slot] != nullptr; slot = (slot + 1) & mask)
    {
        const Instrument* candidate = m_index[slot];
        if (candidate->codeLength == length && SameStreamBytes(candidate->code->GetString(), code, length))
            return m_lastFound = m_index[slot];
    }
    return nullptr;
}

void CQuoteStreamParser::HandleContractList(const CString& text, int quoteDownFlag, HWND mainWindow)
{
    (void)quoteDownFlag;   // the rows start quiet; the halted mark is the batch's business
    if (ParseContractList(text) == 0)
        return;
    for (auto& entry : m_instruments)
    {
        Instrument& instrument = entry.second;
        QuoteRow row;
        row.strCode = instrument.contract->strCode;
        row.strName = instrument.contract->strName;
        row.strStartTime = m_openTime;
        row.strStopTime = m_stopTime;
        row.bChanged = false;
        instrument.row = std::move(row);
        instrument.ticks.clear();
    }
    m_heldTicks = 0;
    ::SendMessage(mainWindow, WM_QUOTE_CONNECTION_DATA, (WPARAM)m_contractTexts, (LPARAM)&m_contracts);
}

template <bool SingleByte>
void CQuoteStreamParser::HandleTicks(const NetMessage& message, int quoteDownFlag, HWND mainWindow)
{
    const char* text = message.strText.GetString();
    const int length = message.strText.GetLength();
    // Record by record; the usual shape is read straight through.
    for (int at = 0;;)
    {
        int itemBegin[2] = {0, 0};
        int itemEnd[2] = {0, 0};
        int items = 0;
        int end = SingleByte ? ReadPlainRecord(text, at, length, itemBegin, itemEnd) : -1;
        if (end >= 0)
            items = 2;
        else
            end = ReadRecord<SingleByte>(text, at, length, itemBegin, itemEnd, items);
        if (items == 2)
        {
            Instrument* instrument = FindInstrument(text + itemBegin[0], itemEnd[0] - itemBegin[0]);
            if (instrument != nullptr)
            {
                ApplyTick(*instrument, text + itemBegin[1], itemEnd[1] - itemBegin[1], message.strTime);
                if (m_heldTicks >= MAX_BATCH_TICKS)
                    FlushBatch(quoteDownFlag, mainWindow);
            }
        }
        if (end >= length)
            break;
        at = end + 1;
    }
}

void CQuoteStreamParser::ApplyTick(Instrument& instrument, const char* field, int fieldLength, const CString& time)
{
    QuoteRow& row = instrument.row;
    // Usually the row already shares these texts: no call then.
    if (row.strQuoteTime.GetString() != time.GetString())
        row.strQuoteTime = time;
    if (row.strCode.GetString() != instrument.contract->strCode.GetString())
        row.strCode = instrument.contract->strCode;
    if (row.strName.GetString() != instrument.contract->strName.GetString())
        row.strName = instrument.contract->strName;
    row.bChanged = true;
    row.nChangeFlags = 0;
    if (!instrument.queued)
    {
        instrument.queued = true;
        m_changed.push_back(&instrument);
    }

    int key = fieldLength > 0 ? PlainFieldKey(field, fieldLength) : -1;
    if (key >= 0)
        ApplyKey(m_texts, row, key, field + kTickKeyLengths[key], fieldLength - kTickKeyLengths[key]);
    else
    {
        CString value;
        key = GeneralFieldKey(field, fieldLength, value);
        if (key >= 0)
            ApplyKey(m_texts, row, key, value.GetString(), value.GetLength());
    }
    if (row.nChangeFlags > 0)
    {
        // A busy instrument stays busy: room for as many rows as its last batch had spares
        // the regrowth (an allocation, a move of every row and a free) each cycle.
        if (instrument.ticks.capacity() == 0)
            instrument.ticks.reserve(std::max<size_t>(8, instrument.lastTickCount));
        instrument.ticks.push_back(row);
        ++m_heldTicks;
    }
}

void CQuoteStreamParser::FlushBatch(int quoteDownFlag, HWND mainWindow)
{
    QuoteBatch batch;
    BuildBatch(batch, quoteDownFlag);
    ::SendMessage(mainWindow, WM_QUOTE_BATCH, (WPARAM)&batch, 0);
}

void CQuoteStreamParser::BuildBatch(QuoteBatch& batch, int quoteDownFlag)
{
    batch.clear();
    std::sort(m_changed.begin(), m_changed.end(),
              [](const Instrument* a, const Instrument* b) { return *a->code < *b->code; });
    batch.reserve(m_changed.size());
    for (Instrument* instrument : m_changed)
    {
        instrument->queued = false;
        if (!instrument->row.bChanged)
            continue;
        batch.emplace_back(instrument->row);
        QuoteUpdate& update = batch.back();
        update.rowLatest.nHalted = quoteDownFlag;
        instrument->row.bChanged = false;
        // The cycle's rows move into the batch: the next cycle starts the history afresh.
        update.vecTicks.swap(instrument->ticks);
        instrument->lastTickCount = update.vecTicks.size();
    }
    m_changed.clear();
    m_heldTicks = 0;
}

void CQuoteStreamParser::BuildHaltedBatch(QuoteBatch& batch)
{
    batch.clear();
    batch.reserve(m_instruments.size());
    for (auto& entry : m_instruments)
    {
        Instrument& instrument = entry.second;
        batch.emplace_back(instrument.row);
        batch.back().rowLatest.nHalted = 1;
        instrument.ticks.clear();
    }
    m_heldTicks = 0;
}
