// The trading date that the chart hosts' history requests use: the server's date until a
// view switch resets it.
#pragma once
#include <afx.h>

class HistoryDataSource
{
public:
    HistoryDataSource() {}

    // The date in use (YYYYMMDD); an empty one is first filled with the server date.
    CString GetDate();
    void SetDate(const CString& date) { m_strDate = date; }
    // Back to the server date (the main window calls it when it switches views).
    void ResetDate();

private:
    CString m_strDate;
};
