#include "SearchIndex.h"

#include "Pinyin.h"

namespace {

// Hits at this position or later share one bucket and keep key order among themselves.
const int kBuckets = 32;

int Bucket(int position)
{
    return position < kBuckets - 1 ? position : kBuckets - 1;
}

}  // namespace

const char SearchIndex::kSeparator[] = "|";

SearchIndex& SearchIndex::Instance()
{
    static SearchIndex index;
    return index;
}

CString SearchIndex::Lower(const CString& text)
{
    // CString folds ASCII letters only and skips double-byte characters whole.
    CString lower(text);
    lower.MakeLower();
    return lower;
}

void SearchIndex::Rebuild(const std::vector<SectorRow>& rows)
{
    m_entries.clear();
    for (const SectorRow& row : rows) {
        const std::string initials = GetPinyin(std::string(row.strName.GetString()), true);
        m_entries[row.strCode + kSeparator + initials.c_str()] = row.strName;
    }
}

void SearchIndex::Match(const CString& text, std::vector<SectorRow>& results) const
{
    results.clear();
    // Find is character-aware: a trail byte equal to "|" is not the separator.
    if (text.IsEmpty() || text.Find(kSeparator) >= 0)
        return;

    typedef std::map<CString, CString>::const_iterator Entry;
    std::vector<Entry> codeHits[kBuckets];
    std::vector<Entry> nameHits[kBuckets];
    for (Entry entry = m_entries.begin(); entry != m_entries.end(); ++entry) {
        const int inKey = Lower(entry->first).Find(text);
        if (inKey >= 0) {
            codeHits[Bucket(inKey)].push_back(entry);
            continue;
        }
        const int inName = Lower(entry->second).Find(text);
        if (inName >= 0)
            nameHits[Bucket(inName)].push_back(entry);
    }

    int rank = 0;
    for (const std::vector<Entry>* buckets : { codeHits, nameHits }) {
        for (int bucket = 0; bucket < kBuckets; ++bucket) {
            for (const Entry& entry : buckets[bucket]) {
                SectorRow row;
                const CString& key = entry->first;
                row.strCode = key.Left(key.Find(kSeparator));
                row.strName = entry->second;
                row.nListIndex = rank++;
                results.push_back(row);
            }
        }
    }
}

COLORREF SearchResultNameColor(const CString& code, const CString& typed)
{
    if (code == typed)
        return 255;
    if (!typed.IsEmpty() && code.Find(typed) == 0)
        return 0x8000;
    return 0x800000;
}
