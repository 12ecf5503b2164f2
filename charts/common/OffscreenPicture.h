// One off-screen picture per paint: a memory DC over a bitmap of the painted size, black and
// with transparent text, copied onto the target in one blit so that a paint never shows half
// drawn.
#pragma once

#include <afxwin.h>

class COffscreenPicture
{
public:
    COffscreenPicture(CDC* target, int width, int height);
    ~COffscreenPicture();
    COffscreenPicture(const COffscreenPicture&) = delete;
    COffscreenPicture& operator=(const COffscreenPicture&) = delete;

    CDC& Dc() { return m_memory; }
    void CopyToTarget();

private:
    CDC* m_target;
    int m_width;
    int m_height;
    CDC m_memory;
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
};
