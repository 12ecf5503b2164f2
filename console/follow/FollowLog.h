// The console's log of follow orders that did not end as they should: one line per report,
// with the server time, appended to a text file beside the console's tables. Written from the
// workers' threads; each line is written whole and at once, so a crash keeps every earlier line.
#pragma once
#include <afx.h>
#include <mutex>
#include "FollowReport.h"

class CFollowLog
{
public:
    // path: the log file (made when the first line is written).
    explicit CFollowLog(const CString& path) : m_path(path) {}

    // Appends "<YYYY-MM-DD HH:MM:SS> <report line>\r\n"; false when the file cannot be written.
    bool Write(const CTime& at, const FollowReport& report);

    const CString& GetPath() const { return m_path; }

private:
    CString m_path;
    std::mutex m_lock;
};
