#include "RandomId.h"

#include <mutex>
#include <set>
#include <stdlib.h>
#include <string>

CString MakeRandomId()
{
    // The references of this process; a few per order, so the set stays small.
    static std::mutex issuedLock;
    static std::set<std::string> issued;

    int number = rand() % 10000;
    std::lock_guard<std::mutex> lock(issuedLock);
    for (;;)
    {
        // Unsigned: after 24.8 days of uptime a signed tick count would put a "-" in the middle.
        const unsigned long ticks = GetTickCount();
        // Within one tick at most 10000 distinct numbers exist; after that wait for the next.
        for (int tries = 0; tries < 10000; ++tries)
        {
            CString id;
            id.Format("%d%lu", number, ticks);
            if (issued.insert(std::string(id.GetString())).second)
                return id;
            number = (number + 1) % 10000;
        }
        Sleep(1);
    }
}
