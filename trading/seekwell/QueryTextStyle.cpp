#include "QueryTextStyle.h"

void CopyFaceName(char (&target)[LF_FACESIZE], const CString& face)
{
    const int limit = LF_FACESIZE - 1;
    int length = 0;
    while (length < face.GetLength() && length < limit) {
        const BYTE c = (BYTE)face[length];
        const int width = ::IsDBCSLeadByte(c) && length + 1 < face.GetLength() ? 2 : 1;
        if (length + width > limit)
            break;
        length += width;
    }
    memcpy(target, (LPCTSTR)face, length);
    target[length] = '\0';
}

void AppendQueryText(CRichEditCtrl& box, const QueryTextStyle& style, const CString& text, bool scrollToEnd)
{
    // The caret goes to the end first: moving it afterwards would reset the insertion
    // point's format to that of the text before it.
    box.SetSel(-1, -1);
    CHARFORMAT format = {};
    format.cbSize = sizeof(format);
    box.GetSelectionCharFormat(format);
    format.dwMask = CFM_BOLD | CFM_COLOR | CFM_SIZE | CFM_FACE;
    format.dwEffects = (format.dwEffects & ~(DWORD)(CFE_AUTOCOLOR | CFE_BOLD)) | (style.bold ? CFE_BOLD : 0);
    format.crTextColor = style.colour;
    format.yHeight = style.height;
    CopyFaceName(format.szFaceName, style.faceName);
    box.SetSelectionCharFormat(format);
    box.ReplaceSel(text);
    box.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    if (scrollToEnd)
        box.PostMessage(WM_VSCROLL, SB_BOTTOM, 0);
}

void ApplyQueryText(CRichEditCtrl& box, QueryTextStyle& style, const QueryText& record)
{
    switch (record.op) {
    case 1:
        box.SetSel(0, -1);
        box.ReplaceSel("");
        box.Clear();
        break;
    case 2:
        style.faceName = record.faceName;
        style.colour = record.colour;
        style.height = record.height;
        style.bold = record.bold;
        AppendQueryText(box, style, record.text, record.scrollToEnd == 1);
        break;
    case 0:
        AppendQueryText(box, style, record.text, record.scrollToEnd == 1);
        break;
    default:
        break;
    }
}
