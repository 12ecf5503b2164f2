// Receiver of a DownloadTask's result; called on the task's own thread.
#pragma once
#include <string>

class CDownLoadTaskCallBack
{
public:
    // nResult 1 success, -1 failure (after three attempts); strBody is the reply text of the
    // last attempt (on failure whatever it received). strUrl is the task's URL, by which an
    // owner of several tasks tells their replies apart. A cancelled request calls nothing.
    virtual void OnDownLoaded(const std::string& strUrl, int nResult, std::string& strBody) = 0;

protected:
    ~CDownLoadTaskCallBack() {}
};
