#include "UpdateInstall.h"

#include <stdlib.h>

namespace {

void SplitEntry(const CString& entry, CString& name, int& version)
{
    const int equals = entry.Find('=');
    name = equals >= 0 ? entry.Left(equals) : entry;
    version = equals >= 0 ? atoi(entry.Mid(equals + 1)) : 0;
}

bool IsDue(const std::vector<CString>& installed, const CString& name, int version)
{
    for (const CString& entry : installed)
    {
        CString installedName;
        int installedVersion = 0;
        SplitEntry(entry, installedName, installedVersion);
        if (installedName.CompareNoCase(name) == 0)
            return version > installedVersion;
    }
    return true;
}

}  // namespace

std::vector<CString> SelectDueUpdateEntries(const std::vector<CString>& installed,
                                            const std::vector<CString>& published)
{
    std::vector<CString> due;
    for (const CString& entry : published)
    {
        CString name;
        int version = 0;
        SplitEntry(entry, name, version);
        if (IsDue(installed, name, version))
            due.push_back(entry);
    }
    return due;
}
