// The history-data services: the base addresses the program may send history queries to and
// the choice among those not tried yet.
#pragma once
#include <afx.h>

#include <set>
#include <vector>

// The history query path of the operator's web server, appended to each web host's base.
extern const char kHistoryServicePath[];

// The base addresses of the history service on the configured web hosts (the web-service and
// the market-day hosts, in that order; one when both are the same host).
std::vector<CString> HistoryServiceBases();

// Index of the service chosen among count services, skipping the excluded indices:
// randomValue modulo the number left picks one of them, in index order. -1 when none is left.
int ChooseUntriedService(int count, const std::set<int>& excluded, int randomValue);
