// The history-data service in use among the configured ones. A failed history query moves on
// to another service chosen at random among those not tried yet; the choice sets the address
// every history query goes to. Safe to use from the download thread.
#pragma once
#include <afx.h>

#include <functional>
#include <mutex>
#include <set>
#include <vector>

class CHistoryServiceChoice
{
public:
    // randomValue() gives the draw (the program's is the C run-time rand, seeded by the time).
    explicit CHistoryServiceChoice(std::function<int()> randomValue);

    void SetBases(std::vector<CString> bases);
    // Chooses a service not in `excluded` and makes its base the history address; false when
    // every service is excluded.
    bool Pick(const std::set<int>& excluded);
    // Index of the chosen service; -1 before the first choice.
    int Current() const;

private:
    std::function<int()> m_randomValue;
    mutable std::mutex m_lock;
    std::vector<CString> m_bases;
    int m_current = -1;
};

// The program's choice (the main window fills its bases at start-up).
CHistoryServiceChoice& GetHistoryServiceChoice();
