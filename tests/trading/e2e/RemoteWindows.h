// Working the windows of another process as a person would: finding controls by id, reading
// list, tree and tab controls (their messages carry pointers, so the structures are placed in
// the other process's memory), and clicks and keys posted to the control under the pointer.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace remote {

// A block of memory in the process that owns `window`, freed with this object.
class CRemoteMemory
{
public:
    CRemoteMemory(HWND window, size_t size);
    ~CRemoteMemory();
    CRemoteMemory(const CRemoteMemory&) = delete;
    CRemoteMemory& operator=(const CRemoteMemory&) = delete;

    bool IsValid() const { return m_address != nullptr; }
    char* Address() const { return static_cast<char*>(m_address); }
    bool Write(const void* data, size_t size, size_t offset = 0);
    bool Read(void* data, size_t size, size_t offset = 0) const;

private:
    HANDLE m_process = NULL;
    void* m_address = nullptr;
};

// The first window below `root` (at any depth) with this id and, when given, this class.
HWND FindChild(HWND root, int id, const char* className = nullptr);
// A visible or hidden top-level window of the process holding a child of this id.
HWND FindTopLevelWithChild(DWORD process, int childId);
std::string WindowText(HWND window);

int RowCount(HWND list);
int ColumnCount(HWND list);
std::string CellText(HWND list, int row, int column);
std::vector<std::string> RowCells(HWND list, int row);
// The first row whose cell `column` holds `text`; -1 when none.
int FindRow(HWND list, int column, const std::string& text);
RECT RowRect(HWND list, int row);

// The tree's items at the top level, in order.
std::vector<HTREEITEM> TreeRoots(HWND tree);
std::string TreeItemText(HWND tree, HTREEITEM item);
RECT TreeItemRect(HWND tree, HTREEITEM item);
RECT TabRect(HWND tabs, int index);
std::string TabText(HWND tabs, int index);

POINT Centre(const RECT& rect);
// Press and release of the left button at a client point of the window, posted.
void PostClick(HWND window, POINT client);
void PostClickCentre(HWND control);
// Characters posted one by one as WM_CHAR.
void PostText(HWND control, const char* text);

}  // namespace remote
