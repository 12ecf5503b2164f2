#include "DecimalValue.h"
#include <stdlib.h>

namespace
{
const double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                               1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
}

double DecimalValue(const CString& text)
{
    const char* p = text.GetString();
    bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    long long mantissa = 0;
    int digits = 0;
    int fraction = -1;   // digits after the point; -1 while no point was seen
    for (; *p != '\0'; ++p)
    {
        if (*p >= '0' && *p <= '9')
        {
            mantissa = mantissa * 10 + (*p - '0');
            ++digits;
            if (fraction >= 0)
                ++fraction;
        }
        else if (*p == '.' && fraction < 0)
            fraction = 0;
        else
            return atof(text);
    }
    // Up to 15 digits the mantissa and the power of ten are exact, so the one division
    // rounds correctly.
    if (digits == 0 || digits > 15)
        return atof(text);
    double value = (double)mantissa / kPowersOfTen[fraction > 0 ? fraction : 0];
    return negative ? -value : value;
}
