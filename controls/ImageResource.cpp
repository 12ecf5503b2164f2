#include "ImageResource.h"

#include <cstring>
#include <memory>

namespace tolvan::controls {

IStream* OpenResourceStream(HMODULE module, LPCSTR name, LPCSTR type)
{
    HRSRC resource = ::FindResourceA(module, name, type);
    if (resource == NULL)
        return nullptr;
    DWORD size = ::SizeofResource(module, resource);
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* bytes = loaded != NULL ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0)
        return nullptr;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == NULL)
        return nullptr;
    void* target = ::GlobalLock(block);
    std::memcpy(target, bytes, size);
    ::GlobalUnlock(block);
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream))) {
        ::GlobalFree(block);
        return nullptr;
    }
    return stream;
}

Gdiplus::Bitmap* LoadImageResource(HMODULE module, LPCSTR name, LPCSTR type)
{
    IStream* stream = OpenResourceStream(module, name, type);
    if (stream == nullptr)
        return nullptr;
    Gdiplus::Bitmap* owned = nullptr;
    {
        std::unique_ptr<Gdiplus::Bitmap> decoded(Gdiplus::Bitmap::FromStream(stream));
        if (decoded && decoded->GetLastStatus() == Gdiplus::Ok) {
            UINT width = decoded->GetWidth();
            UINT height = decoded->GetHeight();
            owned = new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB);
            Gdiplus::Graphics graphics(owned);
            graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
            graphics.DrawImage(decoded.get(), 0, 0, (INT)width, (INT)height);
        }
    }
    stream->Release();
    return owned;
}

}  // namespace tolvan::controls
