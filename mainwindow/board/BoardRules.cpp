#include "BoardRules.h"

#include "Pinyin.h"
#include "QuoteStore.h"

#include <algorithm>
#include <stdlib.h>
#include <string>

namespace {

const char kCsmSector[] = "沪深";
const char kHksSector[] = "港股";

bool Contains(const std::vector<CString>& names, const CString& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool ByteLess(const CString& a, const CString& b)
{
    return strcmp(a, b) < 0;
}

void SortUnique(std::vector<CString>& codes)
{
    std::sort(codes.begin(), codes.end(), ByteLess);
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
}

SectorRow MakeRow(const CString& code, const CString& name, int listIndex)
{
    SectorRow row;
    row.strCode = code;
    row.strName = name;
    row.strInitials = GetPinyin(std::string(name), true).c_str();
    row.nListIndex = listIndex;
    row.quote.strCode = code;
    row.quote.strName = name;
    row.quote.strInitials = row.strInitials;
    row.quote.nHalted = 0;
    row.quote.bChanged = false;
    row.quote.nChangeFlags = 0;
    return row;
}

void AddRow(SectorRecord& sector, const InstrumentRef& ref, SectorRow row)
{
    sector.mapInstruments[row.strCode] = ref;
    sector.vecRows.push_back(std::move(row));
}

}  // namespace

PageSyncPlan PlanPageSync(const std::vector<CString>& pageNames,
                          const std::vector<CString>& storeNames)
{
    PageSyncPlan plan;
    if (storeNames.size() < pageNames.size()) {
        for (size_t page = 0; page < pageNames.size(); ++page)
            if (!Contains(storeNames, pageNames[page]))
                plan.removePages.push_back(static_cast<int>(page));
    } else if (storeNames.size() > pageNames.size()) {
        for (size_t position = 0; position < storeNames.size(); ++position)
            if (!Contains(pageNames, storeNames[position])) {
                plan.insertName = storeNames[position];
                plan.insertAt = static_cast<int>(std::min(position, pageNames.size()));
                break;
            }
    }
    return plan;
}

int PageIndexAfterSync(const std::vector<CString>& pageNames, const CString& remembered)
{
    for (size_t page = 0; page < pageNames.size(); ++page)
        if (pageNames[page] == remembered)
            return static_cast<int>(page);
    return pageNames.empty() ? -1 : 0;
}

int PageIndexForTab(int selection, int pageCount)
{
    return selection >= 0 && selection < pageCount ? selection : -1;
}

bool KeepsCodePolled(bool saveMark, const CString& status)
{
    return saveMark && status != "已成交" && status != "已作废" && status != "已取消";
}

std::vector<CString> MergePolledCodes(std::vector<CString> listed, std::vector<CString> held)
{
    SortUnique(listed);
    SortUnique(held);
    std::vector<CString> merged;
    merged.reserve(listed.size() + held.size());
    std::set_union(listed.begin(), listed.end(), held.begin(), held.end(),
                   std::back_inserter(merged), ByteLess);
    return merged;
}

std::vector<CString> DroppedCodes(const std::vector<CString>& previous,
                                  const std::vector<CString>& current)
{
    std::vector<CString> dropped;
    for (const CString& code : previous)
        if (!std::binary_search(current.begin(), current.end(), code, ByteLess))
            dropped.push_back(code);
    return dropped;
}

void SplitCodesByMarket(const std::vector<CString>& codes, const CString& chartCode,
                        const QuoteStore& store, std::vector<CString>& csm,
                        std::vector<CString>& hks)
{
    csm.clear();
    hks.clear();
    for (const CString& code : codes) {
        if (!chartCode.IsEmpty() && code == chartCode)
            continue;
        if (store.SectorContains(kCsmSector, code))
            csm.push_back(code);
        else if (store.SectorContains(kHksSector, code))
            hks.push_back(code);
    }
}

CString SmartKeyText(UINT message, WPARAM key, bool capsLockOn, bool shiftDown)
{
    CString text;
    if (message != WM_KEYDOWN)
        return text;
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        text.Format("%d", static_cast<int>(key - VK_NUMPAD0));
    else if (key >= '0' && key <= '9')
        text = static_cast<char>(key);
    else if (key >= 'A' && key <= 'Z')
        text = static_cast<char>(capsLockOn != shiftDown ? key : key - 'A' + 'a');
    return text;
}

SectorRecord BuildMarketSector(int market, const std::vector<MarketListItem>& items)
{
    SectorRecord sector;
    sector.strName = market == 1 ? kCsmSector : kHksSector;
    const InstrumentRef ref{market == 1 ? "CSM_P" : "HKS_P", sector.strName, ""};
    sector.vecRows.reserve(items.size());
    for (const MarketListItem& item : items)
        AddRow(sector, ref, MakeRow(item.strCode, item.strName, atoi(item.strIndex)));
    return sector;
}

SectorRecord BuildContractSector(const CString texts[3],
                                 const std::map<CString, ContractRecord>& contracts)
{
    SectorRecord sector;
    sector.strName = texts[1];
    const InstrumentRef ref{texts[0], texts[1], texts[2]};
    int listIndex = 0;
    for (const auto& entry : contracts)
        AddRow(sector, ref, MakeRow(entry.first, entry.second.strName, listIndex++));
    return sector;
}

SectorRecord BuildMySector()
{
    SectorRecord sector;
    sector.strName = MY_SECTOR_NAME;
    return sector;
}
