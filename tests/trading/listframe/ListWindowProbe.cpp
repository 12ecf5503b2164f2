#include "ListWindowProbe.h"

#include <commctrl.h>

#include <testsupport/TestFiles.h>

#include <cstdlib>

int RowCount(HWND list)
{
    return (int)::SendMessage(list, LVM_GETITEMCOUNT, 0, 0);
}

int ColumnCount(HWND list)
{
    HWND header = (HWND)::SendMessage(list, LVM_GETHEADER, 0, 0);
    return (int)::SendMessage(header, HDM_GETITEMCOUNT, 0, 0);
}

std::string CellText(HWND list, int row, int column)
{
    char buffer[512] = "";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    ::SendMessage(list, LVM_GETITEMTEXTA, row, (LPARAM)&item);
    return buffer;
}

std::string ListContents(HWND list)
{
    std::string contents;
    const int rows = RowCount(list), columns = ColumnCount(list);
    for (int row = 0; row < rows; ++row) {
        if (row > 0)
            contents += "\n";
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                contents += "|";
            contents += CellText(list, row, column);
        }
    }
    return contents;
}

RECT CellRect(HWND list, int row, int column)
{
    RECT rect = {};
    rect.top = column;
    rect.left = LVIR_BOUNDS;
    ::SendMessage(list, LVM_GETSUBITEMRECT, row, (LPARAM)&rect);
    if (column == 0) {
        // Column 0's bounds are the whole row: cut them at the next column.
        RECT next = {};
        next.top = 1;
        next.left = LVIR_BOUNDS;
        if (::SendMessage(list, LVM_GETSUBITEMRECT, row, (LPARAM)&next))
            rect.right = next.left;
    }
    return rect;
}

namespace {

template <typename Test>
size_t CountWhere(const tolvan::test::Screenshot& shot, const RECT& rect, Test test)
{
    size_t count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            COLORREF c = shot.PixelAt(x, y);
            if (c != CLR_INVALID && test(GetRValue(c), GetGValue(c), GetBValue(c)))
                ++count;
        }
    return count;
}

}  // namespace

size_t CountRed(const tolvan::test::Screenshot& shot, const RECT& rect)
{
    return CountWhere(shot, rect, [](int r, int g, int b) { return r > 150 && r - g > 60 && r - b > 60 && abs(g - b) < 40; });
}

size_t CountGreen(const tolvan::test::Screenshot& shot, const RECT& rect)
{
    return CountWhere(shot, rect, [](int r, int g, int b) { return g - r > 40 && g - b > 40 && abs(r - b) < 40; });
}

std::string ScratchFolder(const char* name)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    ::CreateDirectoryA(folder.c_str(), NULL);
    for (const std::string& file : tolvan::test::FileNamesIn(folder.c_str()))
        ::DeleteFileA((folder + "\\" + file).c_str());
    return folder;
}

std::string ReadWholeFile(const std::string& path)
{
    return tolvan::test::ReadFileBytes(path.c_str());
}
