// Images from "PNG" (or other) resources, decoded into bitmaps that own their pixels: a
// GDI+ image read from a stream may go back to the stream whenever it is drawn, so the
// stream and its memory block would otherwise have to live as long as the image.
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <gdiplus.h>

namespace tolvan::controls {

// The resource `name` of `type` in `module` as an owned 32-bit ARGB bitmap; null when the
// resource is missing, cannot be put on a stream or is not an image.
Gdiplus::Bitmap* LoadImageResource(HMODULE module, LPCSTR name, LPCSTR type);

// A stream over a copy of the resource's bytes (the stream frees its memory); null when the
// resource is missing or empty.
IStream* OpenResourceStream(HMODULE module, LPCSTR name, LPCSTR type);

}  // namespace tolvan::controls
