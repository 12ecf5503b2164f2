#include "StartupTasks.h"

#include <iphlpapi.h>
#include <vector>

namespace {

const DWORD kListPollMs = 500;

bool MakeFolder(const CString& path)
{
    if (::GetFileAttributesA(path) == FILE_ATTRIBUTE_DIRECTORY)
        return true;
    return ::CreateDirectoryA(path, NULL) != FALSE || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

void WaitForInstrumentLists(const std::vector<InstrumentListStep>& steps, DWORD budgetMs,
                            const StartupClock& clock)
{
    const DWORD start = clock.now();
    auto stopped = [&clock] { return clock.stopped && clock.stopped(); };
    for (const InstrumentListStep& step : steps)
    {
        bool ready = step.ready() == 1;
        while (!ready && !stopped())
        {
            clock.sleep(kListPollMs);
            ready = step.ready() == 1;
            if (clock.now() - start >= budgetMs)
                break;
        }
        if (stopped())
            return;
        if (ready)
            step.report();
    }
}

CString FormatMacAddress(const BYTE* address, UINT length)
{
    CString text;
    for (UINT i = 0; i < length; ++i)
    {
        CString digits;
        digits.Format("%02X", address[i]);
        text += digits;
    }
    return text;
}

bool GetMacAddress(CString& out)
{
    out.Empty();
    ULONG size = 648;
    std::vector<BYTE> buffer(size);
    ULONG result = ::GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
    if (result == ERROR_BUFFER_OVERFLOW)
    {
        buffer.resize(size);
        result = ::GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
    }
    if (result == ERROR_SUCCESS)
    {
        const IP_ADAPTER_INFO* adapter = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.data());
        const UINT length = adapter->AddressLength < MAX_ADAPTER_ADDRESS_LENGTH ? adapter->AddressLength
                                                                               : MAX_ADAPTER_ADDRESS_LENGTH;
        out = FormatMacAddress(adapter->Address, length);
    }
    return !out.IsEmpty();
}

CString BuildStatisticsAddress(const CString& base, const CString& mark)
{
    return base + "/StatisticTolvan/insertStatistic?mode=p&mark=" + mark;
}

bool CreateUserFolders(const CString& appData, const CString& userName, CString& databaseFolder)
{
    databaseFolder = appData + "\\Tolvan证券\\";
    bool made = MakeFolder(databaseFolder);
    databaseFolder += userName + "\\";
    made = MakeFolder(databaseFolder) && made;
    databaseFolder += "Proxy\\";
    return MakeFolder(databaseFolder) && made;
}
