// Texts of the list windows without a window: splitting the cell texts sent down, the time
// suffix of export file names and the line ends of exported texts.
#pragma once
#include <afx.h>

#include <ctime>
#include <vector>

// Pieces of `text` between occurrences of `separator`. An empty text is one empty piece; a
// separator that is empty or not shorter than the text leaves the text whole; a trailing
// separator adds no empty piece.
std::vector<CString> SplitText(const CString& separator, const CString& text);

// "_YYYYMMDD_HHMMSS" of the local time; empty when the time cannot be formatted.
CString MakeTimeSuffix(__time64_t time);

// Every CR LF pair and every lone CR or LF becomes one "\n", so that a text-mode file gets
// exactly one CR LF per line whatever line ends the text came with.
CString NormaliseLineEnds(const CString& text);
