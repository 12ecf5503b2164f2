#include "TrendModel.h"

#include "TrendTimeText.h"

#include <algorithm>
#include <cstdlib>

namespace tolvan::driftline {

namespace {

CString FormatPrice(double value)
{
    CString text;
    text.Format("%0.10f", value);
    return text;
}

void FreePacket(TrendPacket* packet)
{
    if (packet == nullptr)
        return;
    for (TrendTickNode* node = packet->pHead; node != nullptr;) {
        TrendTickNode* next = node->pNext;
        delete node;
        node = next;
    }
    delete packet;
}

}  // namespace

TrendModel::~TrendModel()
{
    ClearTicks();
}

void TrendModel::CopyHeader(const TrendPacket& packet, int lastText)
{
    CString* texts[10] = {&m_header.code, &m_header.name, &m_header.third, &m_header.market,
                          &m_header.date, &m_header.reference, &m_header.open, &m_header.high,
                          &m_header.low, &m_header.latest};
    for (int i = 0; i <= lastText; ++i)
        *texts[i] = packet.strText[i];
}

void TrendModel::SetClientSize(int width, int height)
{
    m_scale.SetClientSize(width, height);
}

void TrendModel::LoadPacket(TrendPacket* packet, const CString& today)
{
    if (packet == nullptr)
        return;
    CopyHeader(*packet, 9);
    m_titleHigh = packet->strText[7];
    m_titleLow = packet->strText[8];
    m_titleLatest = packet->strText[9];
    m_dataReady = false;
    if (m_header.code.IsEmpty() || m_header.name.IsEmpty()) {
        FreePacket(packet);
        return;
    }

    if (packet->nHasBuckets == 0) {
        ClearTicks();
        m_scale.Reset();
        CopyHeader(*packet, 5);
        Rescale(0, 0);
        FreePacket(packet);
        return;
    }

    if (m_count > 0) {
        ClearTicks();
        CopyHeader(*packet, 5);
    }
    // Packet times are kept like tick times, so both compare and place alike.
    CString date = packet->strText[4].GetLength() == 8 ? packet->strText[4] : today;
    for (TrendTickNode* node = packet->pHead; node != nullptr; node = node->pNext)
        Append(node->strPrice, node->strVolume, NormaliseBucketTime(node->strTime, date), false);
    if (packet->pHead == nullptr) {
        m_header.code.Empty();
        m_header.name.Empty();
        m_header.third.Empty();
        m_header.market.Empty();
        m_header.reference.Empty();
    }
    FreePacket(packet);

    Rescale(0, 0);
    m_header.high = FormatPrice(m_scale.Highest());
    m_header.low = FormatPrice(m_scale.Lowest());
    m_dataReady = true;
}

void TrendModel::AddTick(const TrendTickNode* tick, const CString& today)
{
    if (tick == nullptr || m_header.code.IsEmpty() || m_header.name.IsEmpty() ||
        tick->strCode != m_header.code)
        return;
    m_dataReady = false;
    CString time = NormaliseBucketTime(tick->strTime, today);
    m_header.reference = tick->strRefPrice;

    if (tick->bClosed) {
        if (m_count == 0) {
            Append(tick->strPrice, tick->strVolume, time, true);
            m_header.latest = tick->strPrice;
        } else {
            TrendTickNode* bucket = m_head;
            while (bucket != nullptr && bucket->strTime != time)
                bucket = bucket->pNext;
            if (bucket != nullptr && !bucket->bClosed) {
                bucket->bClosed = 1;
                bucket->strPrice = tick->strPrice;
                bucket->strVolume = tick->strVolume;
            }
        }
    } else if (m_count == 0) {
        Append(tick->strPrice, tick->strVolume, time, false);
        m_header.latest = tick->strPrice;
    } else {
        // Session minutes: in a session over midnight 00:05 comes after 23:59.
        int tickMinute = m_session.SessionMinute(BucketMinuteOfDay(time));
        int lastMinute = m_session.SessionMinute(BucketMinuteOfDay(m_tail->strTime));
        if (tickMinute > lastMinute) {
            Append(tick->strPrice, tick->strVolume, time, false);
            m_header.latest = tick->strPrice;
        } else if (!m_tail->bClosed) {
            m_tail->strPrice = tick->strPrice;
            m_header.latest = tick->strPrice;
            m_tail->strVolume.Format("%d", atoi(m_tail->strVolume) + atoi(tick->strVolume));
            m_tail->strTime = time;
        }
    }

    m_titleLatest = m_header.latest;
    Rescale(atof(m_header.high), atof(m_header.low));
    m_header.high = FormatPrice(m_scale.Highest());
    m_header.low = FormatPrice(m_scale.Lowest());
    m_dataReady = true;
}

void TrendModel::SetTitle(const CString& latest, const CString& open, const CString& high,
                          const CString& low, const CString& reference)
{
    m_header.latest = m_titleLatest = latest;
    m_header.open = open;
    m_header.high = m_titleHigh = high;
    m_header.low = m_titleLow = low;
    m_header.reference = reference;
}

void TrendModel::Rescale(double highest, double lowest)
{
    for (TrendTickNode* bucket = m_head; bucket != nullptr; bucket = bucket->pNext) {
        double price = atof(bucket->strPrice);
        highest = highest == 0 ? price : std::max(highest, price);
        lowest = lowest == 0 ? price : std::min(lowest, price);
    }
    m_scale.Compute(atof(m_header.reference), highest, lowest, LargestVolume());
}

int TrendModel::LargestVolume() const
{
    int largest = 0;
    for (TrendTickNode* bucket = m_head; bucket != nullptr; bucket = bucket->pNext)
        largest = std::max(largest, atoi(bucket->strVolume));
    return largest;
}

TrendTickNode* TrendModel::Append(const CString& price, const CString& volume,
                                  const CString& time, bool closed)
{
    TrendTickNode* bucket = new TrendTickNode;
    bucket->strCode = m_header.code;
    bucket->strPrice = price;
    bucket->strVolume = volume;
    bucket->strTime = time;
    bucket->bClosed = closed ? 1 : 0;
    bucket->nIndex = m_count++;
    bucket->pPrev = m_tail;
    if (m_tail != nullptr)
        m_tail->pNext = bucket;
    else
        m_head = bucket;
    m_tail = bucket;
    return bucket;
}

void TrendModel::ClearTicks()
{
    m_dataReady = false;
    m_header.code.Empty();
    m_header.name.Empty();
    m_header.third.Empty();
    m_header.market.Empty();
    m_header.reference.Empty();
    for (TrendTickNode* bucket = m_head; bucket != nullptr;) {
        TrendTickNode* next = bucket->pNext;
        delete bucket;
        bucket = next;
    }
    m_head = m_tail = nullptr;
    m_count = 0;
}

void TrendModel::ComputeAverages()
{
    double amount = 0, volume = 0;
    for (TrendTickNode* bucket = m_head; bucket != nullptr; bucket = bucket->pNext) {
        double price = atof(bucket->strPrice);
        int traded = atoi(bucket->strVolume);
        amount += price * traded;
        volume += traded;
        bucket->strAvgPrice.Format("%0.10f", volume > 0 ? amount / volume : price);
    }
}

TrendTickNode* TrendModel::FindBucket(const CString& key) const
{
    for (TrendTickNode* bucket = m_head; bucket != nullptr; bucket = bucket->pNext)
        if (bucket->strTime.Mid(9, 5) == key.Mid(9, 5))
            return bucket;
    return nullptr;
}

int TrendModel::BucketX(const TrendTickNode& bucket) const
{
    int minute = m_session.AxisMinute(bucket.strTime, m_header.market);
    double pixels = m_scale.PixelsPerMinute(m_session.TradingMinutes());
    return (int)(80 + (minute - m_session.OpenMinute()) * pixels);
}

}  // namespace tolvan::driftline
