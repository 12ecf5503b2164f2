// Pinyin spelling and search initials of GBK texts ("沪深" -> "HUSHEN" or "HS"), from a table
// of the readings of all 6763 GB2312 characters compiled into the program.
#pragma once
#include <string>

// The syllable (upper-case, no tones, u-umlaut written "U") of a GB2312 zone-position code
// (zone * 100 + position, lead byte 0xA1 + zone - 1, trail byte 0xA1 + position - 1); empty
// for codes outside the character areas.
std::string GetPinyinOfChar(int code);

// The syllables of the Chinese characters of a GBK text, or with initialsOnly their first
// letters. Bytes below 128 are copied unchanged; double-byte characters without a reading
// (punctuation, characters outside GB2312) add nothing and are skipped whole.
std::string GetPinyin(const std::string& text, bool initialsOnly);
