#include "Mutator.h"

#include <cstring>

namespace mutation {

namespace {

// The separators of our wire formats, files and texts.
const char* const kSeparators[] = {"#@", "^^", "~~", "@", "#", "|", ",", ":", "[", "]", "{", "}",
                                   "\"", "&", "=", "\n", "\r\n", " ", "-", ".", "<", ">", "/"};

// Numbers that break naive readers: past 32 and 64 bits, negative, empty of digits.
const char* const kNumbers[] = {"2147483647", "2147483648", "4294967295", "4294967296",
                                "-1", "-2147483649", "99999999999999999999999", "0", "-0",
                                "1e308", "-9223372036854775809", "00000000000000000001"};

}  // namespace

std::string Mutator::Mutate(const std::string& input)
{
    std::string text = input;
    const size_t count = 1 + Below(3);
    for (size_t i = 0; i < count; ++i)
        MutateOnce(text);
    return text;
}

std::string Mutator::RandomBytes(size_t maxLength)
{
    std::string bytes(Below(maxLength + 1), '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(Below(256));
    return bytes;
}

void Mutator::MutateOnce(std::string& text)
{
    switch (Below(11))
    {
    case 0: FlipBit(text); break;
    case 1: InsertByte(text); break;
    case 2: DeleteBytes(text); break;
    case 3: DuplicateSeparator(text); break;
    case 4: Truncate(text); break;
    case 5: ReplaceNumber(text); break;
    case 6: AppendLeadByte(text); break;
    case 7: InsertNul(text); break;
    case 8: RepeatPiece(text); break;
    case 9: if (Below(4) == 0) RepeatWhole(text); else InsertNul(text); break;
    default: FlipBit(text); InsertByte(text); break;
    }
}

void Mutator::FlipBit(std::string& text)
{
    if (!text.empty())
        text[Below(text.size())] ^= static_cast<char>(1 << Below(8));
}

void Mutator::InsertByte(std::string& text)
{
    text.insert(text.begin() + Below(text.size() + 1), static_cast<char>(Below(256)));
}

void Mutator::DeleteBytes(std::string& text)
{
    if (text.empty())
        return;
    const size_t at = Below(text.size());
    text.erase(at, 1 + Below(8));
}

void Mutator::DuplicateSeparator(std::string& text)
{
    const char* separator = kSeparators[Below(sizeof(kSeparators) / sizeof(kSeparators[0]))];
    const size_t start = text.empty() ? 0 : Below(text.size());
    size_t at = text.find(separator, start);
    if (at == std::string::npos)
        at = text.find(separator);
    if (at == std::string::npos)
        return;
    text.insert(at, separator);
}

void Mutator::Truncate(std::string& text)
{
    text.resize(Below(text.size() + 1));
}

void Mutator::ReplaceNumber(std::string& text)
{
    const char* number = kNumbers[Below(sizeof(kNumbers) / sizeof(kNumbers[0]))];
    if (text.empty())
    {
        text = number;
        return;
    }
    size_t at = text.find_first_of("0123456789", Below(text.size()));
    if (at == std::string::npos)
        at = text.find_first_of("0123456789");
    if (at == std::string::npos)
    {
        text.insert(Below(text.size() + 1), number);
        return;
    }
    size_t end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    text.replace(at, end - at, number);
}

void Mutator::AppendLeadByte(std::string& text)
{
    // A GBK lead byte (0x81-0xFE) with nothing after it.
    text.push_back(static_cast<char>(0x81 + Below(0x7E)));
}

void Mutator::InsertNul(std::string& text)
{
    text.insert(text.begin() + Below(text.size() + 1), '\0');
}

void Mutator::RepeatPiece(std::string& text)
{
    if (text.empty())
        return;
    const size_t at = Below(text.size());
    const size_t length = 1 + Below(text.size() - at < 32 ? text.size() - at : 32);
    const std::string piece = text.substr(at, length);
    const size_t times = 1 + Below(16);
    for (size_t i = 0; i < times; ++i)
        text.insert(at, piece);
}

// Long inputs, so that a path that is quadratic in the input shows as a slow input.
void Mutator::RepeatWhole(std::string& text)
{
    const std::string once = text;
    const size_t times = 2 + Below(63);
    for (size_t i = 1; i < times && text.size() < 64 * 1024; ++i)
        text += once;
}

}  // namespace mutation
