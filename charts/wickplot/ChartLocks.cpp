#include "ChartLocks.h"

namespace
{
struct LibraryLocks
{
    CRITICAL_SECTION chart;
    CRITICAL_SECTION title;
    LibraryLocks()
    {
        InitializeCriticalSection(&chart);
        InitializeCriticalSection(&title);
    }
    ~LibraryLocks()
    {
        DeleteCriticalSection(&title);
        DeleteCriticalSection(&chart);
    }
};

LibraryLocks& Locks()
{
    static LibraryLocks locks;   // made on first use, once, whichever thread comes first
    return locks;
}
}

CRITICAL_SECTION& ChartLock()
{
    return Locks().chart;
}

CRITICAL_SECTION& TitleLock()
{
    return Locks().title;
}
