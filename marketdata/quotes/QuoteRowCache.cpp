#include "QuoteRowCache.h"
#include "MarketDataMessages.h"

int QuoteRowCache::GetQuote(const CString& code, QuoteRow& row) const
{
    CSingleLock guard(&m_lock, TRUE);
    std::map<CString, QuoteRow>::const_iterator found = m_rows.find(code);
    if (found == m_rows.end())
        return 0;
    row = found->second;
    return 1;
}

void QuoteRowCache::RemoveCodes(const std::vector<CString>& codes)
{
    CSingleLock guard(&m_lock, TRUE);
    for (const CString& code : codes)
        m_rows.erase(code);
}

void QuoteRowCache::RemoveCode(const CString& code)
{
    CSingleLock guard(&m_lock, TRUE);
    m_rows.erase(code);
}

size_t QuoteRowCache::GetCount() const
{
    CSingleLock guard(&m_lock, TRUE);
    return m_rows.size();
}

void QuoteRowCache::BuildBatch(const std::vector<WebQuoteRecord>& records, QuoteBatch& batch)
{
    for (const WebQuoteRecord& record : records)
    {
        QuoteRow previous;
        bool hasPrevious = GetQuote(record.strCode, previous) != 0;
        QuoteUpdate update;
        record.FillQuoteRow(update.rowLatest, hasPrevious ? &previous : nullptr,
                            QUOTE_DEPTH_LEVELS);
        update.vecTicks.push_back(update.rowLatest);
        {
            CSingleLock guard(&m_lock, TRUE);
            m_rows[record.strCode] = update.rowLatest;
        }
        batch.push_back(update);
    }
}

void QuoteRowCache::DeliverQuotes(const std::vector<WebQuoteRecord>& records)
{
    QuoteBatch batch;
    BuildBatch(records, batch);
    HWND hWnd = GetMarketDataWindow();
    if (hWnd != NULL)
        ::SendMessage(hWnd, WM_QUOTE_BATCH, (WPARAM)&batch, 0);
}
