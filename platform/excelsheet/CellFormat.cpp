#include "CellFormat.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace CellFormat {
namespace {

// A cell of standard width holds eleven characters; General fits the number into them.
const int kGeneralWidth = 11;

std::string StripTrailingZeros(std::string text)
{
    if (text.find('.') == std::string::npos)
        return text;
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

// "1.5E+11": mantissa without trailing zeros, exponent signed with at least two digits (the
// C run-time writes three, so the exponent is re-rendered here).
std::string Scientific(double value, int width)
{
    int exponentDigits = std::fabs(value) >= 1e100 || (value != 0 && std::fabs(value) < 1e-99) ? 3 : 2;
    int decimals = width - (value < 0 ? 1 : 0) - 2 - 2 - exponentDigits;
    if (decimals < 0)
        decimals = 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*E", decimals, value);
    std::string text(buffer);
    size_t e = text.find('E');
    std::string mantissa = StripTrailingZeros(text.substr(0, e));
    int exponent = std::atoi(text.c_str() + e + 1);
    std::snprintf(buffer, sizeof buffer, "E%c%0*d", exponent < 0 ? '-' : '+', exponentDigits,
                  std::abs(exponent));
    return mantissa + buffer;
}

struct CivilDate {
    int year, month, day;
};

// Days since 1 March of year 0 into a proleptic Gregorian date.
CivilDate FromDays(long long days)
{
    long long era = (days >= 0 ? days : days - 146096) / 146097;
    long long doe = days - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

long long ToDays(int year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    long long era = (year >= 0 ? year : year - 399) / 400;
    long long yoe = year - era * 400;
    long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

struct DateParts {
    int year, month, day, weekday;  // weekday 0 = Sunday
    int hour, minute, second;
};

bool SplitSerial(double serial, bool date1904, DateParts& parts)
{
    if (!(serial >= 0) || serial >= 2958466.0)
        return false;
    long long whole = static_cast<long long>(std::floor(serial));
    long long seconds = std::llround((serial - whole) * 86400.0);
    if (seconds >= 86400) {
        ++whole;
        seconds -= 86400;
    }
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    if (date1904) {
        long long days = ToDays(1904, 1, 1) + whole;
        CivilDate date = FromDays(days);
        parts.year = date.year, parts.month = date.month, parts.day = date.day;
        parts.weekday = static_cast<int>(((days + 3) % 7 + 7) % 7);
        return true;
    }
    // The 1900 system counts the 29 February 1900 that never was (serial 60), and serial 0
    // is shown as 0 January 1900.
    if (whole == 0) {
        parts.year = 1900, parts.month = 1, parts.day = 0, parts.weekday = 6;
        return true;
    }
    if (whole == 60) {
        parts.year = 1900, parts.month = 2, parts.day = 29, parts.weekday = 3;
        return true;
    }
    long long days = ToDays(1899, 12, 31) + whole - (whole > 60 ? 1 : 0);
    CivilDate date = FromDays(days);
    parts.year = date.year, parts.month = date.month, parts.day = date.day;
    parts.weekday = static_cast<int>(((days + 3) % 7 + 7) % 7);
    return true;
}

const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// One piece of a date code: a run of one token letter, or literal text.
struct Token {
    char letter;  // y m d h s, 'a' for AM/PM, 0 for literal
    int count;
    std::string text;
};

std::string FirstSection(const std::string& code)
{
    bool quoted = false;
    for (size_t i = 0; i < code.size(); ++i) {
        if (code[i] == '"')
            quoted = !quoted;
        else if (code[i] == '\\' && !quoted)
            ++i;
        else if (code[i] == ';' && !quoted)
            return code.substr(0, i);
    }
    return code;
}

bool StartsWithNoCase(const std::string& text, size_t at, const char* word)
{
    for (size_t k = 0; word[k]; ++k)
        if (at + k >= text.size() || std::tolower(static_cast<unsigned char>(text[at + k])) != word[k])
            return false;
    return true;
}

std::vector<Token> Tokenize(const std::string& code)
{
    std::vector<Token> tokens;
    auto literal = [&tokens](const std::string& text) {
        if (!tokens.empty() && tokens.back().letter == 0)
            tokens.back().text += text;
        else
            tokens.push_back({0, 0, text});
    };
    for (size_t i = 0; i < code.size();) {
        char c = code[i];
        char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (c == '"') {
            size_t end = code.find('"', i + 1);
            literal(code.substr(i + 1, (end == std::string::npos ? code.size() : end) - i - 1));
            i = end == std::string::npos ? code.size() : end + 1;
        } else if (c == '\\' && i + 1 < code.size()) {
            literal(code.substr(i + 1, 1));
            i += 2;
        } else if (c == '[') {
            // Colours, conditions and locale tags; an elapsed-hours bracket shows its hours.
            size_t end = code.find(']', i);
            std::string inner = code.substr(i + 1, (end == std::string::npos ? code.size() : end) - i - 1);
            if (!inner.empty() && std::tolower(static_cast<unsigned char>(inner[0])) == 'h')
                tokens.push_back({'h', static_cast<int>(inner.size()), ""});
            i = end == std::string::npos ? code.size() : end + 1;
        } else if (c == '_' && i + 1 < code.size()) {
            literal(" ");
            i += 2;
        } else if (c == '*' && i + 1 < code.size()) {
            i += 2;
        } else if (StartsWithNoCase(code, i, "am/pm")) {
            tokens.push_back({'a', 5, ""});
            i += 5;
        } else if (StartsWithNoCase(code, i, "a/p")) {
            tokens.push_back({'a', 3, ""});
            i += 3;
        } else if (lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 's') {
            size_t run = i;
            while (run < code.size() && std::tolower(static_cast<unsigned char>(code[run])) == lower)
                ++run;
            tokens.push_back({lower, static_cast<int>(run - i), ""});
            i = run;
        } else if (lower == 'e' || lower == 'g' || lower == 'b') {
            // Era and Buddhist year codes and "General" fragments: nothing shown for them here.
            ++i;
        } else {
            literal(code.substr(i, 1));
            ++i;
        }
    }
    return tokens;
}

// "m" means minutes right after hours or right before seconds.
bool MeansMinutes(const std::vector<Token>& tokens, size_t at)
{
    for (size_t k = at; k-- > 0;) {
        if (tokens[k].letter == 0)
            continue;
        if (tokens[k].letter == 'h')
            return true;
        break;
    }
    for (size_t k = at + 1; k < tokens.size(); ++k) {
        if (tokens[k].letter == 0)
            continue;
        return tokens[k].letter == 's';
    }
    return false;
}

std::string Padded(int value, int width)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

}  // namespace

std::string General(double value)
{
    if (value == 0 || !std::isfinite(value))
        return "0";
    double magnitude = std::fabs(value);
    if (magnitude >= 1e11 || magnitude < 1e-9)
        return Scientific(value, kGeneralWidth);
    int exponent = static_cast<int>(std::floor(std::log10(magnitude)));
    int integerDigits = exponent >= 0 ? exponent + 1 : 1;
    int decimals = kGeneralWidth - (value < 0 ? 1 : 0) - integerDigits - 1;
    if (decimals < 0)
        decimals = 0;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = StripTrailingZeros(buffer);
    // Rounding can carry into a twelfth digit (99999999999.6) or leave nothing of a small value.
    size_t digits = 0;
    for (char c : text)
        digits += std::isdigit(static_cast<unsigned char>(c)) ? 1 : 0;
    if (text == "0" || text == "-0" || (text.find('.') == std::string::npos && digits > 11))
        return Scientific(value, kGeneralWidth);
    return text;
}

bool IsDateFormat(int numFmtId, const std::string& code)
{
    if ((numFmtId >= 14 && numFmtId <= 22) || (numFmtId >= 45 && numFmtId <= 47))
        return true;
    for (const Token& token : Tokenize(FirstSection(code)))
        if (token.letter != 0)
            return true;
    return false;
}

std::string BuiltinDateCode(int numFmtId)
{
    switch (numFmtId) {
    case 14: return "yyyy/m/d";
    case 15: return "d-mmm-yy";
    case 16: return "d-mmm";
    case 17: return "mmm-yy";
    case 18: return "h:mm AM/PM";
    case 19: return "h:mm:ss AM/PM";
    case 20: return "h:mm";
    case 21: return "h:mm:ss";
    case 22: return "yyyy/m/d h:mm";
    case 45: return "mm:ss";
    case 46: return "[h]:mm:ss";
    case 47: return "mm:ss";
    default: return "";
    }
}

std::string Date(double serial, const std::string& code, bool date1904)
{
    DateParts parts;
    if (!SplitSerial(serial, date1904, parts))
        return "#######";
    std::vector<Token> tokens = Tokenize(FirstSection(code));
    bool twelveHour = false;
    for (const Token& token : tokens)
        twelveHour = twelveHour || token.letter == 'a';
    std::string out;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        switch (token.letter) {
        case 0:
            out += token.text;
            break;
        case 'y':
            out += token.count <= 2 ? Padded(parts.year % 100, 2) : Padded(parts.year, 4);
            break;
        case 'm':
            if (MeansMinutes(tokens, i))
                out += Padded(parts.minute, token.count >= 2 ? 2 : 1);
            else if (token.count <= 2)
                out += Padded(parts.month, token.count);
            else if (token.count == 3)
                out += std::string(kMonths[parts.month - 1]).substr(0, 3);
            else if (token.count == 4)
                out += kMonths[parts.month - 1];
            else
                out += kMonths[parts.month - 1][0];
            break;
        case 'd':
            if (token.count <= 2)
                out += Padded(parts.day, token.count);
            else if (token.count == 3)
                out += std::string(kDays[parts.weekday]).substr(0, 3);
            else
                out += kDays[parts.weekday];
            break;
        case 'h': {
            int hour = parts.hour;
            if (twelveHour) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            out += Padded(hour, token.count >= 2 ? 2 : 1);
            break;
        }
        case 's':
            out += Padded(parts.second, token.count >= 2 ? 2 : 1);
            break;
        case 'a':
            if (token.count == 5)
                out += parts.hour < 12 ? "AM" : "PM";
            else
                out += parts.hour < 12 ? "A" : "P";
            break;
        }
    }
    return out;
}

}  // namespace CellFormat
