// What the end of the main window tells the program's test hook: how long each worker stop
// took and whether it ended, and every thread of the process reported left running. A test
// proves "no worker was waited out" from it instead of from how long the close took.
#pragma once
#include <afx.h>

#include "ShutdownPlan.h"

#include <string>
#include <vector>

class CShutdownReport
{
public:
    // Name=value lines ending in "end": "end-stop=<name>|<ms>|<1 ended, 0 left running>" per
    // stop (only when the stops are done: a stopping thread still running owns them),
    // "end-stops-done=<1|0>", "left-running=<name>" per thread reported left running.
    static CString Text(const CShutdownPlan* plan, bool stopsDone, const std::vector<std::string>& leftRunning);
};
