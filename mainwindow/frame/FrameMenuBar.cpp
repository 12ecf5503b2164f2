#include "FrameMenuBar.h"

namespace {

const char* const kItemNames[3] = {"系统", "报表", "关于"};
const int kBarHeight = 25;

}  // namespace

FrameMenuBar::FrameMenuBar() = default;
FrameMenuBar::~FrameMenuBar() = default;

void FrameMenuBar::Create(int clientWidth)
{
    m_bar.reset(new CMenuBar(0, 0, clientWidth, kBarHeight, 0));
    if (m_font.GetSafeHandle() == NULL)
        m_font.CreatePointFont(110, "宋体");
    m_bar->SetItemColors(0xEBEBEB, 0xE6E6E6, 0xDCDCDC);
    m_bar->SetExtraColors(0, 0, 0);
    m_bar->SetFont(nullptr);
    m_bar->SetItemHeight(25);
    m_bar->SetItemWidth(80);
    m_bar->SetTextFormat(37);
    m_bar->SetBkColor(0xEEEEEE);
    m_bar->SetFont(&m_font);
    for (const char* name : kItemNames)
    {
        MenuBarItem* item = new MenuBarItem();
        m_bar->InitItem(item);
        item->name = name;
        m_bar->AppendItem(item);
    }
    m_bar->m_built = 1;
}

void FrameMenuBar::Destroy()
{
    m_bar.reset();
}

MenuBarItem* FrameMenuBar::ItemAt(int index) const
{
    if (!m_bar)
        return nullptr;
    MenuBarItem* item = m_bar->Head();
    for (int i = 0; item != nullptr && i < index; ++i)
        item = item->next;
    return item;
}

RECT FrameMenuBar::ItemRect(int index) const
{
    RECT rect = {0, 0, 0, 0};
    if (ItemAt(index) == nullptr)
        return rect;
    const int width = m_bar->ItemWidth();
    rect.left = kLeft + index * width;
    rect.top = kTop;
    rect.right = rect.left + width;
    rect.bottom = kTop + m_bar->ItemHeight();
    return rect;
}

int FrameMenuBar::HitTest(int x, int y) const
{
    const POINT point = {x, y};
    for (int index = ITEM_SYSTEM; index <= ITEM_ABOUT; ++index)
    {
        const RECT rect = ItemRect(index);
        if (::PtInRect(&rect, point))
            return index;
    }
    return ITEM_NONE;
}

bool FrameMenuBar::SetState(int item, int state)
{
    if (item < ITEM_SYSTEM || item > ITEM_ABOUT || m_states[item] == state)
        return false;
    m_states[item] = state;
    return true;
}

int FrameMenuBar::State(int item) const
{
    return item >= ITEM_SYSTEM && item <= ITEM_ABOUT ? m_states[item] : 0;
}

bool FrameMenuBar::ClearStates()
{
    bool changed = false;
    for (int item = ITEM_SYSTEM; item <= ITEM_ABOUT; ++item)
        changed = SetState(item, 0) || changed;
    return changed;
}

void FrameMenuBar::Draw(HDC dc) const
{
    if (!m_bar)
        return;
    HGDIOBJ oldFont = ::SelectObject(dc, m_font.GetSafeHandle());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(dc, RGB(0, 0, 0));
    int index = 0;
    for (MenuBarItem* item = m_bar->Head(); item != nullptr && index <= ITEM_ABOUT; item = item->next, ++index)
    {
        RECT rect = ItemRect(index);
        const COLORREF fill = item->colors[m_states[index] < 0 || m_states[index] > 2 ? 0 : m_states[index]];
        HBRUSH brush = ::CreateSolidBrush(fill);
        ::FillRect(dc, &rect, brush);
        ::DeleteObject(brush);
        ::DrawTextA(dc, item->name, item->name.GetLength(), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
    ::SelectObject(dc, oldFont);
}
