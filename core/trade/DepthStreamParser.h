// The market-depth stream: five-level book changes "[level][action][side][price][volume]@"
// (level 0 is the best; action 1 sets, 2 deletes; side 1 is the buy side, any other number
// the sell side), applied to a DepthBook.
#pragma once
#include <afx.h>
#include <vector>

#include "DepthBook.h"
#include "NetMessage.h"

// Empties every price, volume and text of both sides and writes the ten labels; server name,
// index and last stay.
void ResetDepthBook(DepthBook& book);

// Names the book after its depth server and resets it; last becomes -1.
void SetDepthBookIndex(DepthBook& book, int index, const CString& serverName);

// Applies the changes of one message in order. -1 for an empty message and for status
// replies ("status:-2" also sends WM_NEW_VERSION_FOUND to mainWindow); 0 otherwise. Levels
// outside 0 to 4 and actions other than 1 and 2 change nothing; text after the last "@" is
// not a change.
int ParseDepthUpdate(DepthBook& book, const CString& message, HWND mainWindow);

// Applies every message in order, then hands the book to mainWindow once (WM_DEPTH_UPDATE,
// lParam the book). Returns what SendMessage returned.
LRESULT ParseDepthBatch(DepthBook& book, const std::vector<NetMessage>& messages, HWND mainWindow);
