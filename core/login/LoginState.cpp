#include "LoginState.h"
#include "SessionData.h"

volatile bool SpecialLoginFlag = false;
volatile bool DefaultServerUsed = false;
volatile int serveListIndexAnalog = -1;
volatile int serveListIndexTrue = -1;

namespace {

const char* ListName(bool analog)
{
    return analog ? "ServerList_analog.ini" : "ServerList_real.ini";
}

const char* ArrangedListName(bool analog)
{
    return analog ? "ArrangeServerList_analog.ini" : "ArrangeServerList_real.ini";
}

CString Quoted(const CString& text)
{
    return "\"" + text + "\"";
}

}  // namespace

bool UseAnalogServerList()
{
    return SpecialLoginFlag && GetSessionData().m_nAccountMode == 0;
}

CString GetServerListPath(const CString& appDir, bool analog)
{
    return appDir + ListName(analog);
}

CString GetCurrentServerListPath(const CString& appDir)
{
    return GetServerListPath(appDir, UseAnalogServerList());
}

CString GetArrangedServerListPath(const CString& testDir, bool analog)
{
    return testDir + ArrangedListName(analog);
}

CString GetCurrentArrangedServerListPath(const CString& testDir)
{
    return GetArrangedServerListPath(testDir, UseAnalogServerList());
}

CString BuildSpeedTestCommandLine(const CString& testDir, const CString& appDir, bool fullTest, bool analog)
{
    CString line = Quoted(testDir + "Probehall.exe");
    line += fullTest ? " 1;" : " 0;";
    line += Quoted(appDir + ListName(analog)) + ";" + Quoted(testDir + ArrangedListName(analog));
    return line;
}
