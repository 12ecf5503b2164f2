#include "ImageCache.h"

#include "ImageResource.h"

CImageCache* CImageCache::s_instance = nullptr;

CImageCache* CImageCache::Instance()
{
    if (s_instance == nullptr)
        s_instance = new CImageCache();
    return s_instance;
}

void CImageCache::Release()
{
    delete s_instance;
    s_instance = nullptr;
}

CImageCache::CImageCache()
{
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, NULL);
}

CImageCache::~CImageCache()
{
    Clear();
}

void CImageCache::Clear()
{
    for (auto& entry : m_bitmaps)
        delete entry.second;
    m_bitmaps.clear();
    for (auto& entry : m_images)
        delete entry.second;
    m_images.clear();
    if (m_gdiplusToken != 0)
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
    m_gdiplusToken = 0;
}

Gdiplus::Bitmap* CImageCache::GetBitmap(HBITMAP hBitmap)
{
    auto found = m_bitmaps.find(hBitmap);
    if (found != m_bitmaps.end())
        return found->second;
    Gdiplus::Bitmap* bitmap = Gdiplus::Bitmap::FromHBITMAP(hBitmap, NULL);
    m_bitmaps[hBitmap] = bitmap;
    return bitmap;
}

Gdiplus::Image* CImageCache::GetImage(UINT id)
{
    auto found = m_images.find(id);
    if (found != m_images.end())
        return found->second;
    Gdiplus::Image* image = tolvan::controls::LoadImageResource(
        ::GetModuleHandleA(NULL), MAKEINTRESOURCEA(LOWORD(id)), "PNG");
    if (image != nullptr)
        m_images[id] = image;
    return image;
}
