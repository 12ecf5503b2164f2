// The programs the updater must not write over: found by the path of their program file, and
// the terminal that started it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Handles (synchronise access) of the running processes, other than this one, whose program
// file is one of paths (compared ignoring case). The caller closes them.
std::vector<HANDLE> OpenProcessesRunning(const std::vector<std::string>& paths);

// The process that started this one when it is a terminal ("Tolvan.exe") that still runs;
// null otherwise. Its number alone could already belong to a later program, so a process
// created after this one does not count.
HANDLE OpenStartingTerminal();
