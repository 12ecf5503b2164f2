// What the updater installs: the entries of the published update list that the installed list
// does not already hold at that version or higher.
#pragma once
#include <afx.h>
#include <vector>

// The published entries ("name=version") that are due: their name (compared ignoring case) is
// missing from the installed list or has a lower version there. An entry at the same or a
// lower version is installed already: the terminal never downloaded it, so it has no source.
std::vector<CString> SelectDueUpdateEntries(const std::vector<CString>& installed,
                                            const std::vector<CString>& published);
