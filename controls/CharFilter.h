// Character filters of the edit boxes, as plain text rules. Texts are multi-byte (GBK): a
// lead byte and its trail byte are one character, kept or dropped together, so a filter
// never leaves half a character behind.
#pragma once

#include <string>
#include <vector>

namespace tolvan::controls {

// Byte length of the character that starts at `text[pos]` (1, or 2 for a lead byte
// followed by a trail byte).
size_t CharLength(const std::string& text, size_t pos);

// `text` keeping only characters that occur, as whole characters, in `allowed`. Each
// position in `positions` (byte offsets into `text`) is moved to the same place in the
// result.
std::string KeepAllowed(const std::string& text, const std::string& allowed,
                        std::vector<int>* positions = nullptr);

// `text` cut after `decimals` digits past its first '.'; unchanged when it has no '.' or
// no more digits than that.
std::string CutDecimals(const std::string& text, int decimals);

}  // namespace tolvan::controls
