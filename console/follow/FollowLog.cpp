#include "FollowLog.h"

#include <winsock2.h>
#include <windows.h>

bool CFollowLog::Write(const CTime& at, const FollowReport& report)
{
    const CString line = at.Format("%Y-%m-%d %H:%M:%S ") + FollowReportLine(report) + "\r\n";
    std::lock_guard<std::mutex> hold(m_lock);
    HANDLE file = CreateFileA(m_path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool whole = WriteFile(file, (LPCSTR)line, (DWORD)line.GetLength(), &written, nullptr)
                       && written == (DWORD)line.GetLength();
    CloseHandle(file);
    return whole;
}
