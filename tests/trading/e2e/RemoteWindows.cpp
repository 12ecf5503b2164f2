#include "RemoteWindows.h"

#include <commctrl.h>

#include <cstring>

namespace remote {

CRemoteMemory::CRemoteMemory(HWND window, size_t size)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (m_process != NULL)
        m_address = ::VirtualAllocEx(m_process, NULL, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

CRemoteMemory::~CRemoteMemory()
{
    if (m_address != nullptr)
        ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    if (m_process != NULL)
        ::CloseHandle(m_process);
}

bool CRemoteMemory::Write(const void* data, size_t size, size_t offset)
{
    SIZE_T written = 0;
    return IsValid() && ::WriteProcessMemory(m_process, Address() + offset, data, size, &written) && written == size;
}

bool CRemoteMemory::Read(void* data, size_t size, size_t offset) const
{
    SIZE_T read = 0;
    return IsValid() && ::ReadProcessMemory(m_process, Address() + offset, data, size, &read) && read == size;
}

namespace {

struct ChildSearch
{
    int id;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND window, LPARAM argument)
{
    ChildSearch* search = reinterpret_cast<ChildSearch*>(argument);
    if (::GetDlgCtrlID(window) != search->id)
        return TRUE;
    if (search->className != nullptr) {
        char name[64] = {0};
        ::GetClassNameA(window, name, sizeof(name));
        if (_stricmp(name, search->className) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

struct TopLevelSearch
{
    DWORD process;
    int childId;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM argument)
{
    TopLevelSearch* search = reinterpret_cast<TopLevelSearch*>(argument);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == search->process && ::GetDlgItem(window, search->childId) != NULL) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindChild(HWND root, int id, const char* className)
{
    ChildSearch search{id, className, NULL};
    ::EnumChildWindows(root, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevelWithChild(DWORD process, int childId)
{
    TopLevelSearch search{process, childId, NULL};
    ::EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window)
{
    char text[8192] = {0};
    ::SendMessageA(window, WM_GETTEXT, sizeof(text), (LPARAM)text);
    return text;
}

int RowCount(HWND list)
{
    return (int)::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
}

int ColumnCount(HWND list)
{
    HWND header = (HWND)::SendMessageA(list, LVM_GETHEADER, 0, 0);
    return (int)::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0);
}

std::string CellText(HWND list, int row, int column)
{
    const size_t textSize = 512;
    CRemoteMemory memory(list, sizeof(LVITEMA) + textSize);
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = memory.Address() + sizeof(LVITEMA);
    item.cchTextMax = textSize;
    char text[textSize] = {0};
    if (!memory.Write(&item, sizeof(item)) || !memory.Write(text, 1, sizeof(LVITEMA)))
        return std::string();
    ::SendMessageA(list, LVM_GETITEMTEXTA, row, (LPARAM)memory.Address());
    memory.Read(text, textSize - 1, sizeof(LVITEMA));
    return text;
}

std::vector<std::string> RowCells(HWND list, int row)
{
    std::vector<std::string> cells;
    const int columns = ColumnCount(list);
    for (int column = 0; column < columns; ++column)
        cells.push_back(CellText(list, row, column));
    return cells;
}

int FindRow(HWND list, int column, const std::string& text)
{
    const int rows = RowCount(list);
    for (int row = 0; row < rows; ++row)
        if (CellText(list, row, column) == text)
            return row;
    return -1;
}

RECT RowRect(HWND list, int row)
{
    RECT rect = {LVIR_BOUNDS, 0, 0, 0};
    CRemoteMemory memory(list, sizeof(rect));
    if (memory.Write(&rect, sizeof(rect)) && ::SendMessageA(list, LVM_GETITEMRECT, row, (LPARAM)memory.Address()))
        memory.Read(&rect, sizeof(rect));
    else
        rect = RECT();
    return rect;
}

std::vector<HTREEITEM> TreeRoots(HWND tree)
{
    std::vector<HTREEITEM> roots;
    HTREEITEM item = (HTREEITEM)::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    while (item != NULL) {
        roots.push_back(item);
        item = (HTREEITEM)::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)item);
    }
    return roots;
}

std::string TreeItemText(HWND tree, HTREEITEM item)
{
    const size_t textSize = 256;
    CRemoteMemory memory(tree, sizeof(TVITEMA) + textSize);
    TVITEMA record = {};
    record.mask = TVIF_TEXT;
    record.hItem = item;
    record.pszText = memory.Address() + sizeof(TVITEMA);
    record.cchTextMax = textSize;
    char text[textSize] = {0};
    if (!memory.Write(&record, sizeof(record)) || !::SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)memory.Address()))
        return std::string();
    memory.Read(text, textSize - 1, sizeof(TVITEMA));
    return text;
}

RECT TreeItemRect(HWND tree, HTREEITEM item)
{
    RECT rect = {};
    CRemoteMemory memory(tree, sizeof(rect));
    memory.Write(&item, sizeof(item));
    if (::SendMessageA(tree, TVM_GETITEMRECT, TRUE, (LPARAM)memory.Address()))
        memory.Read(&rect, sizeof(rect));
    return rect;
}

RECT TabRect(HWND tabs, int index)
{
    RECT rect = {};
    CRemoteMemory memory(tabs, sizeof(rect));
    if (memory.IsValid() && ::SendMessageA(tabs, TCM_GETITEMRECT, index, (LPARAM)memory.Address()))
        memory.Read(&rect, sizeof(rect));
    return rect;
}

std::string TabText(HWND tabs, int index)
{
    const size_t textSize = 256;
    CRemoteMemory memory(tabs, sizeof(TCITEMA) + textSize);
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = memory.Address() + sizeof(TCITEMA);
    item.cchTextMax = textSize;
    char text[textSize] = {0};
    if (!memory.Write(&item, sizeof(item)) || !memory.Write(text, 1, sizeof(TCITEMA))
        || !::SendMessageA(tabs, TCM_GETITEMA, index, (LPARAM)memory.Address()))
        return std::string();
    memory.Read(text, textSize - 1, sizeof(TCITEMA));
    return text;
}

POINT Centre(const RECT& rect)
{
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void PostClick(HWND window, POINT client)
{
    const LPARAM at = MAKELPARAM(client.x, client.y);
    ::PostMessageA(window, WM_MOUSEMOVE, 0, at);
    ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(window, WM_LBUTTONUP, 0, at);
}

void PostClickCentre(HWND control)
{
    RECT client = {};
    ::GetClientRect(control, &client);
    PostClick(control, Centre(client));
}

void PostText(HWND control, const char* text)
{
    for (const char* c = text; *c != '\0'; ++c)
        ::PostMessageA(control, WM_CHAR, (WPARAM)(unsigned char)*c, 1);
}

}  // namespace remote
