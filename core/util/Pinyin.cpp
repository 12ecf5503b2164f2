#include "Pinyin.h"

#include <algorithm>

namespace {

struct PinyinRange
{
    unsigned short first;
    unsigned short last;
    unsigned short syllable;
};

#include "PinyinTable.inc"

const int kLevel1First = 1601;
const int kLevel1Last = 5589;
const int kLevel2First = 5601;
const int kLevel2Zones = 32;
const int kPositionsPerZone = 94;

} // namespace

std::string GetPinyinOfChar(int code)
{
    const int zone = code / 100;
    const int position = code % 100;
    if (position < 1 || position > kPositionsPerZone)
        return std::string();

    if (code >= kLevel1First && code <= kLevel1Last)
    {
        // The ranges are ascending and contiguous: the first whose end is not below the code.
        const PinyinRange* end = kPinyinLevel1 + sizeof(kPinyinLevel1) / sizeof(kPinyinLevel1[0]);
        const PinyinRange* range = std::lower_bound(
            kPinyinLevel1, end, code,
            [](const PinyinRange& candidate, int value) { return candidate.last < value; });
        if (range != end && range->first <= code)
            return kPinyinSyllables[range->syllable];
        return std::string();
    }

    const int level2Zone = zone - kLevel2First / 100;
    if (level2Zone >= 0 && level2Zone < kLevel2Zones)
        return kPinyinSyllables[kPinyinLevel2[level2Zone * kPositionsPerZone + position - 1]];
    return std::string();
}

std::string GetPinyin(const std::string& text, bool initialsOnly)
{
    std::string result;
    const size_t length = text.size();
    for (size_t i = 0; i < length;)
    {
        const unsigned char lead = (unsigned char)text[i];
        if (lead < 0x80)
        {
            result += (char)lead;
            ++i;
            continue;
        }
        const unsigned char trail = i + 1 < length ? (unsigned char)text[i + 1] : 0;
        // A GBK double-byte character: lead 0x81-0xFE, trail 0x40-0xFE except 0x7F. It is
        // passed over whole, pinyin or not: its trail byte may look like ASCII and must not be
        // copied as a letter. Any other high byte is skipped alone.
        const bool doubleByte = lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
        if (!doubleByte)
        {
            ++i;
            continue;
        }
        if (lead >= 0xA1 && trail >= 0xA1)
        {
            const std::string syllable = GetPinyinOfChar(lead * 100 + trail - 16160);
            if (initialsOnly && !syllable.empty())
                result += syllable[0];
            else
                result += syllable;
        }
        i += 2;
    }
    return result;
}
