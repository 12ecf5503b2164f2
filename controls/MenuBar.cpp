#include "MenuBar.h"

CMenuBar::CMenuBar(int left, int top, int right, int bottom, int extra)
    : m_left(left), m_top(top), m_right(right), m_bottom(bottom), m_extra(extra)
{
}

CMenuBar::~CMenuBar()
{
    FreeList(m_head);
}

void CMenuBar::FreeList(MenuBarItem* head)
{
    while (head != nullptr) {
        MenuBarItem* next = head->next;
        FreeList(head->subItems);
        delete head;
        head = next;
    }
}

void CMenuBar::InitItem(MenuBarItem* item) const
{
    item->name = "Top菜单";
    item->text.Empty();
    item->reserved1[0] = item->reserved1[1] = 0;
    for (int i = 0; i < 3; ++i) {
        item->colors[i] = m_colorsA[i];
        item->extraColors[i] = (COLORREF)-1;
    }
    item->height = 25;
    item->secondHeight = 25;
    item->bkColor = 0xF0F0F0;
    item->width = m_itemWidth;
    item->itemHeight = m_itemHeight;
    item->prev = item->next = nullptr;
    item->font = nullptr;
    item->index = 0;
    item->subItems = nullptr;
}

void CMenuBar::SetItemColors(COLORREF normal, COLORREF hover, COLORREF pressed)
{
    const COLORREF colors[3] = { normal, hover, pressed };
    for (int i = 0; i < 3; ++i)
        m_colorsA[i] = m_colorsB[i] = colors[i];
}

void CMenuBar::SetExtraColors(COLORREF first, COLORREF second, COLORREF third)
{
    m_colorsC[0] = first;
    m_colorsC[1] = second;
    m_colorsC[2] = third;
}

void CMenuBar::SetFont(CFont* font)
{
    m_fonts[0] = m_fonts[1] = font;
}

void CMenuBar::SetItemHeight(int height)
{
    if (height > m_bottom - m_top)
        height = (m_bottom - m_top) - 4;
    m_itemHeight = m_secondHeight = m_size = height;
}

void CMenuBar::SetItemWidth(int width)
{
    if (width > m_right - m_left)
        width = (m_right - m_left) - 2;
    m_itemWidth = width;
    m_secondWidth = width + 100;
}

void CMenuBar::SetTextFormat(UINT format)
{
    m_textFormats[0] = m_textFormats[1] = format;
}

void CMenuBar::SetBkColor(COLORREF color)
{
    if (!m_built)
        m_bkColor = color;
}

int CMenuBar::AppendItem(MenuBarItem* item)
{
    if (m_built) {
        item->width = m_itemWidth;
        item->itemHeight = m_itemHeight;
        item->height = m_itemHeight;
        item->secondHeight = m_secondHeight;
        item->font = m_fonts[0];
        item->textFormat = m_textFormats[0];
        for (int i = 0; i < 3; ++i) {
            item->colors[i] = m_colorsA[i];
            item->extraColors[i] = m_colorsC[i];
        }
    }
    item->next = nullptr;
    if (m_head == nullptr) {
        item->prev = nullptr;
        m_head = m_tail = m_cursor = item;
    } else {
        item->prev = m_tail;
        m_tail->next = item;
        m_tail = item;
    }
    item->index = m_itemCount++;
    return 0;
}
