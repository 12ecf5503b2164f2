// The process-wide cache of GDI+ images made from the main program's "PNG" resources and
// from bitmap handles. It owns the program's GDI+ start-up: the first Instance() starts
// GDI+, Release() frees every image and shuts GDI+ down. User-interface thread only.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <afxstr.h>
#include <gdiplus.h>

#include <map>

class CImageCache
{
public:
    static CImageCache* Instance();
    static void Release();

    // The cached image of the bitmap handle, made on first use (no palette).
    Gdiplus::Bitmap* GetBitmap(HBITMAP hBitmap);
    // The cached image of the main program's "PNG" resource `id`; null when the resource
    // is missing or unreadable (nothing is cached then, so a later call tries again).
    Gdiplus::Image* GetImage(UINT id);

private:
    CImageCache();
    ~CImageCache();
    CImageCache(const CImageCache&) = delete;
    CImageCache& operator=(const CImageCache&) = delete;
    void Clear();

    std::map<HBITMAP, Gdiplus::Bitmap*> m_bitmaps;
    std::map<UINT, Gdiplus::Image*> m_images;
    CString m_text;
    ULONG_PTR m_gdiplusToken = 0;

    static CImageCache* s_instance;
};
