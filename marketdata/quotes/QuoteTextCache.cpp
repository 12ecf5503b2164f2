#include "QuoteTextCache.h"

#include "StreamText.h"

namespace
{
bool Holds(const CString& text, const char* bytes, int length)
{
    return text.GetLength() == length && SameStreamBytes(text.GetString(), bytes, length);
}
}

CQuoteTextCache::CQuoteTextCache()
    : m_slots(SLOTS)
{
}

void CQuoteTextCache::Assign(CString& target, const char* text, int length)
{
    if (Holds(target, text, length))
        return;
    if (length <= 0)
    {
        target.Empty();
        return;
    }
    CString& slot = m_slots[(size_t)HashStreamBytes(text, length) & (SLOTS - 1)];
    if (!Holds(slot, text, length))
        slot.SetString(text, length);
    target = slot;
}
