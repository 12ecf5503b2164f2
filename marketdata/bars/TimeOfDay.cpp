#include "TimeOfDay.h"

namespace
{
// One or two digits from text[pos] up to the next ":" or the end; -1 otherwise.
int FieldAt(const CString& text, int& pos)
{
    int value = 0, digits = 0;
    while (pos < text.GetLength() && text[pos] != ':')
    {
        if (text[pos] < '0' || text[pos] > '9' || ++digits > 2)
            return -1;
        value = value * 10 + (text[pos++] - '0');
    }
    return digits == 0 ? -1 : value;
}
} // namespace

bool ParseTimeOfDay(const CString& text, TimeOfDay& time)
{
    int pos = 0;
    TimeOfDay read;
    read.hour = FieldAt(text, pos);
    if (read.hour < 0 || read.hour > 24 || pos == text.GetLength())
        return false;
    ++pos;
    read.minute = FieldAt(text, pos);
    if (read.minute < 0 || read.minute > 59)
        return false;
    if (pos < text.GetLength())
    {
        ++pos;
        read.second = FieldAt(text, pos);
        if (read.second < 0 || read.second > 59 || pos != text.GetLength())
            return false;
    }
    if (read.hour == 24 && (read.minute != 0 || read.second != 0))
        return false;
    time = read;
    return true;
}
