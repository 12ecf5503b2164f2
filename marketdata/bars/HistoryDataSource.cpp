#include "HistoryDataSource.h"
#include "MarketTime.h"

CString HistoryDataSource::GetDate()
{
    if (m_strDate.IsEmpty())
        m_strDate = GetServerDateText();
    return m_strDate;
}

void HistoryDataSource::ResetDate()
{
    m_strDate = GetServerDateText();
}
