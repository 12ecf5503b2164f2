// The updater's small window: tells the user what the update waits for while programs it
// would replace still run.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

// Waits until openRunning finds nothing running, asking again each time one of the found
// processes ends (the user may start another meanwhile). While anything runs the window is
// shown; it goes when the wait is over. Closes every handle it was given.
void WaitWhileProgramsRun(HANDLE startingTerminal, const std::function<std::vector<HANDLE>()>& openRunning);
