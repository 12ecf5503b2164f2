#include "DepthStreamParser.h"

#include <stdlib.h>

#include "ReplyMessages.h"
#include "TextScanner.h"

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

void ClearLevel(DepthLevel& level, const char* label)
{
    level.strLabel = label;
    level.strPrice.Empty();
    level.strVolume.Empty();
    level.strText.Empty();
}

// One change is the text [begin, end) of the message: "[" then five fields, each ended by
// "]" and followed by the "[" of the next. A field without its "]" takes the rest of the
// change; fields past the end of the change are empty.
void ApplyChange(DepthBook& book, const CTextScanner& text, int begin, int end)
{
    CString fields[kChangeFieldCount];
    int cursor = begin + 1;
    for (int i = 0; i < kChangeFieldCount && cursor < end; ++i)
    {
        int close = text.Find(']', cursor, end);
        if (close < 0)
        {
            fields[i] = text.Mid(cursor, end);
            cursor = end;
        }
        else
        {
            fields[i] = text.Mid(cursor, close);
            cursor = close + 2;
        }
    }

    const int level = atoi(fields[0]);
    const int action = atoi(fields[1]);
    const int side = atoi(fields[2]);
    if (level < 0 || level >= DepthBook::LEVELS)
        return;
    if (action != kActionSet && action != kActionDelete)
        return;
    DepthLevel& target = side == kBuySide ? book.buy[level] : book.sell[DepthBook::LEVELS - 1 - level];
    if (action == kActionSet)
    {
        target.strPrice = fields[3];
        target.strVolume = fields[4];
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
    CString text = message;
    text.Trim();
    if (text.IsEmpty())
        return -1;
    CTextScanner scanner(text);
    if (scanner.Find("status:-1", 0) >= 0)
        return -1;
    if (scanner.Find("status:-2", 0) >= 0)
    {
        ::SendMessage(mainWindow, WM_NEW_VERSION_FOUND, 0, 0);
        return -1;
    }

    // Every change ends with "@"; what follows the last "@" is no change.
    int begin = 0;
    for (int at = scanner.Find('@', begin); at >= 0; at = scanner.Find('@', begin))
    {
        ApplyChange(book, scanner, begin, at);
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
