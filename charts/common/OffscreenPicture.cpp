#include "OffscreenPicture.h"

COffscreenPicture::COffscreenPicture(CDC* target, int width, int height)
    : m_target(target), m_width(width), m_height(height)
{
    m_memory.CreateCompatibleDC(target);
    m_bitmap.CreateCompatibleBitmap(target, width, height);
    m_oldBitmap = m_memory.SelectObject(&m_bitmap);
    m_memory.SetBkMode(TRANSPARENT);
    m_memory.FillSolidRect(0, 0, width, height, RGB(0, 0, 0));
}

COffscreenPicture::~COffscreenPicture()
{
    m_memory.SelectObject(m_oldBitmap);
}

void COffscreenPicture::CopyToTarget()
{
    m_target->BitBlt(0, 0, m_width, m_height, &m_memory, 0, 0, SRCCOPY);
}
