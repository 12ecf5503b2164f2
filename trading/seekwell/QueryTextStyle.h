// Writing the trade dialog's query texts into a rich text box in a chosen style.
#pragma once
#include <afxcmn.h>

#include <TradingRecords.h>

struct QueryTextStyle
{
    CString faceName = "新宋体";
    COLORREF colour = 0x000000;
    int height = 256;  // twips
    int bold = 0;
};

// Copies at most 31 bytes of `face` (the character format's face field holds 32 with its
// terminator) without cutting a double-byte character in half.
void CopyFaceName(char (&target)[LF_FACESIZE], const CString& face);

// Appends `text` at the end of the box in `style`, scrolls to the left edge and, when asked,
// to the bottom.
void AppendQueryText(CRichEditCtrl& box, const QueryTextStyle& style, const CString& text, bool scrollToEnd);

// Applies a QueryText record: 0 append, 1 clear, 2 take its style and append; others nothing.
void ApplyQueryText(CRichEditCtrl& box, QueryTextStyle& style, const QueryText& record);
