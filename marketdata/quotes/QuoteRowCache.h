// The latest quote row of each code that a web quote fetcher delivered, and the delivery of
// its records to the main window as a quote batch (WM_QUOTE_BATCH), exactly as the quote
// stream delivers them.
#pragma once
#include <afx.h>
#include <afxmt.h>
#include <map>
#include <vector>
#include "QuoteUpdate.h"
#include "WebQuoteRecord.h"

class QuoteRowCache
{
public:
    QuoteRowCache() {}

    // 1 and a copy of the cached row of the code, else 0
    int GetQuote(const CString& code, QuoteRow& row) const;
    void RemoveCodes(const std::vector<CString>& codes);
    void RemoveCode(const CString& code);
    size_t GetCount() const;

    // For each record in order: fill a row against the cached row of its code (change,
    // volume since last and change flags), cache it and add it to the batch with one copy of
    // itself as its only tick.
    void BuildBatch(const std::vector<WebQuoteRecord>& records, QuoteBatch& batch);
    // Builds the batch and sends it synchronously to the market-data window (also when
    // empty); no lock is held during the send. Nothing is sent without a window.
    void DeliverQuotes(const std::vector<WebQuoteRecord>& records);

private:
    QuoteRowCache(const QuoteRowCache&) = delete;
    QuoteRowCache& operator=(const QuoteRowCache&) = delete;

    mutable CCriticalSection m_lock;
    std::map<CString, QuoteRow> m_rows;
};
