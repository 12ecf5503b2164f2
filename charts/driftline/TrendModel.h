// The trend chart's data without a window: the header texts, the list of one-minute
// buckets, the session and the scales. Packets replace the list; ticks merge into it.
#pragma once

#include <afx.h>

#include "DriftlineRecords.h"
#include "TrendScale.h"
#include "TrendSession.h"

namespace tolvan::driftline {

struct TrendHeader {
    CString code, name, third, market, date;
    CString reference, open, high, low, latest;
};

class TrendModel {
public:
    TrendModel() = default;
    ~TrendModel();
    TrendModel(const TrendModel&) = delete;
    TrendModel& operator=(const TrendModel&) = delete;

    // Takes the packet and frees it with its chain. `today` (YYYYMMDD) dates bucket times
    // that come without a date when the packet has none.
    void LoadPacket(TrendPacket* packet, const CString& today);
    // Merges a tick of the chart's instrument; the caller keeps the tick.
    void AddTick(const TrendTickNode* tick, const CString& today);
    void ClearTicks();
    void SetClientSize(int width, int height);
    // The latest, open, high, low and reference texts of the title record.
    void SetTitle(const CString& latest, const CString& open, const CString& high,
                  const CString& low, const CString& reference);

    // Running average of price weighted by volume (the price while no volume has traded),
    // written into every bucket.
    void ComputeAverages();
    // The first bucket of the same HH:MM as `key` ("YYYYMMDD HH:MM:SS"), the date ignored.
    TrendTickNode* FindBucket(const CString& key) const;

    TrendHeader& Header() { return m_header; }
    const TrendHeader& Header() const { return m_header; }
    TrendSession& Session() { return m_session; }
    const TrendSession& Session() const { return m_session; }
    const TrendScale& Scale() const { return m_scale; }
    TrendTickNode* Head() const { return m_head; }
    TrendTickNode* Tail() const { return m_tail; }
    int Count() const { return m_count; }
    bool DataReady() const { return m_dataReady; }
    // Title line texts.
    const CString& TitleLatest() const { return m_titleLatest; }
    const CString& TitleHigh() const { return m_titleHigh; }
    const CString& TitleLow() const { return m_titleLow; }

    // The x of a bucket on the time axis.
    int BucketX(const TrendTickNode& bucket) const;

private:
    void CopyHeader(const TrendPacket& packet, int lastText);
    TrendTickNode* Append(const CString& price, const CString& volume, const CString& time,
                          bool closed);
    void Rescale(double highest, double lowest);
    int LargestVolume() const;

    TrendHeader m_header;
    TrendSession m_session;
    TrendScale m_scale;
    TrendTickNode* m_head = nullptr;
    TrendTickNode* m_tail = nullptr;
    int m_count = 0;
    bool m_dataReady = false;
    CString m_titleLatest, m_titleHigh, m_titleLow;
};

}  // namespace tolvan::driftline
