#include "DepthStreamParser.h"

#include "ReplyMessages.h"
#include "StreamNumbers.h"
#include "StreamText.h"

namespace
{
const char* const kSellLabels[DepthBook::LEVELS] = {"卖五", "卖四", "卖三", "卖二", "卖一"};
const char* const kBuyLabels[DepthBook::LEVELS] = {"买一", "买二", "买三", "买四", "买五"};

enum
{
    kActionSet = 1,
    kActionDelete = 2,
    kBuySide = 1,
    kChangeFieldCount = 5,
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void ClearLevel(DepthLevel& level, const char* label)
{
    level.strLabel = label;
    level.strPrice.Empty();
    level.strVolume.Empty();
    level.strText.Empty();
}

// The level replaces its text only when it differs, so an unchanged level keeps its buffer.
void AssignText(CString& target, const char* text, int length)
{
    if (target.GetLength() == length && SameStreamBytes(target.GetString(), text, length))
        return;
    target.SetString(text, length);
}

// One change is the text [begin, end) of the message: "[" then five fields, each ended by
// "]" and followed by the "[" of the next. A field without its "]" takes the rest of the
// change; fields past the end of the change are empty. Read in place, without a text per
// field.
void ApplyChange(DepthBook& book, const char* text, int begin, int end)
{
    int fieldBegin[kChangeFieldCount] = {0, 0, 0, 0, 0};
    int fieldLength[kChangeFieldCount] = {0, 0, 0, 0, 0};
    int cursor = begin + 1;
    for (int i = 0; i < kChangeFieldCount && cursor < end; ++i)
    {
        int close = FindStreamChar(text, cursor, end, ']');
        fieldBegin[i] = cursor;
        if (close < 0)
        {
            fieldLength[i] = end - cursor;
            cursor = end;
        }
        else
        {
            fieldLength[i] = close - cursor;
            cursor = close + 2;
        }
    }

    const int level = ReadStreamInt(text + fieldBegin[0], fieldLength[0]);
    const int action = ReadStreamInt(text + fieldBegin[1], fieldLength[1]);
    const int side = ReadStreamInt(text + fieldBegin[2], fieldLength[2]);
    if (level < 0 || level >= DepthBook::LEVELS)
        return;
    if (action != kActionSet && action != kActionDelete)
        return;
    DepthLevel& target = side == kBuySide ? book.buy[level] : book.sell[DepthBook::LEVELS - 1 - level];
    if (action == kActionSet)
    {
        AssignText(target.strPrice, text + fieldBegin[3], fieldLength[3]);
        AssignText(target.strVolume, text + fieldBegin[4], fieldLength[4]);
    }
    else
    {
        target.strPrice.Empty();
        target.strVolume.Empty();
    }
}
}

void ResetDepthBook(DepthBook& book)
{
    for (int i = 0; i < DepthBook::LEVELS; ++i)
    {
        ClearLevel(book.sell[i], kSellLabels[i]);
        ClearLevel(book.buy[i], kBuyLabels[i]);
    }
}

void SetDepthBookIndex(DepthBook& book, int index, const CString& serverName)
{
    book.nIndex = index;
    book.strServerName = serverName;
    ResetDepthBook(book);
    book.nLast = -1;
}

int ParseDepthUpdate(DepthBook& book, const CString& message, HWND mainWindow)
{
    const char* text = message.GetString();
    const int length = message.GetLength();
    // Read in place: leading blanks are skipped; trailing ones hold no "@" nor a status word.
    int begin = 0;
    while (begin < length && IsBlank(text[begin]))
        ++begin;
    if (begin == length)
        return -1;
    bool updateNeeded = false;
    for (int at = begin; at < length; at += StreamCharSize(text, at, length))
    {
        if (text[at] != 's' || !StreamTextAt(text, at, length, "status:-", 8))
            continue;
        if (StreamTextAt(text, at + 8, length, "1", 1))
            return -1;
        updateNeeded = updateNeeded || StreamTextAt(text, at + 8, length, "2", 1);
    }
    if (updateNeeded)
    {
        ::SendMessage(mainWindow, WM_NEW_VERSION_FOUND, 0, 0);
        return -1;
    }

    // Every change ends with "@"; what follows the last "@" is no change.
    for (int at = FindStreamChar(text, begin, length, '@'); at >= 0; at = FindStreamChar(text, begin, length, '@'))
    {
        ApplyChange(book, text, begin, at);
        begin = at + 1;
    }
    return 0;
}

LRESULT ParseDepthBatch(DepthBook& book, const std::vector<NetMessage>& messages, HWND mainWindow)
{
    for (const NetMessage& message : messages)
        ParseDepthUpdate(book, message.strText, mainWindow);
    return ::SendMessage(mainWindow, WM_DEPTH_UPDATE, 0, (LPARAM)&book);
}
