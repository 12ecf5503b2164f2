#include "AnimatedImage.h"

#include "ImageResource.h"

#include <afxwin.h>
#include <process.h>

#include <cstdlib>
#include <vector>

namespace {

// Hundredths of a second below which a frame delay counts as "as fast as possible".
const UINT kMinimumDelayHundredths = 2;
const DWORD kDefaultDelayMs = 100;

}  // namespace

CAnimatedImage::CAnimatedImage(LPCSTR type, LPCSTR name)
    : CAnimatedImage(tolvan::controls::OpenResourceStream(AfxGetResourceHandle(), name, type),
                     AfxGetResourceHandle())
{
}

CAnimatedImage::CAnimatedImage(IStream* stream, HMODULE module)
    : Gdiplus::Image(stream, TRUE), m_stream(stream), m_module(module)
{
    m_pauseEvent = ::CreateEventA(NULL, TRUE, TRUE, NULL);
    m_exitEvent = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    m_loaded = m_stream != nullptr ? 1 : 0;
    if (m_loaded && GetLastStatus() == Gdiplus::Ok)
        ReadFrames();
}

void CAnimatedImage::ReadFrames()
{
    UINT dimensions = GetFrameDimensionsCount();
    if (dimensions == 0)
        return;
    std::vector<GUID> ids(dimensions);
    GetFrameDimensionsList(ids.data(), dimensions);
    m_frameCount = Gdiplus::Image::GetFrameCount(&ids[0]);
    UINT size = GetPropertyItemSize(PropertyTagFrameDelay);
    if (size == 0)
        return;
    m_frameDelays = static_cast<Gdiplus::PropertyItem*>(std::malloc(size));
    if (GetPropertyItem(PropertyTagFrameDelay, size, m_frameDelays) != Gdiplus::Ok) {
        std::free(m_frameDelays);
        m_frameDelays = nullptr;
    }
}

CAnimatedImage::~CAnimatedImage()
{
    if (m_thread != NULL) {
        if (m_paused) {
            ::SetEvent(m_pauseEvent);
            m_paused = 0;
        }
        ::SetEvent(m_exitEvent);
        ::WaitForSingleObject(m_thread, INFINITE);
        ::CloseHandle(m_thread);
        m_thread = NULL;
    }
    ::CloseHandle(m_pauseEvent);
    ::CloseHandle(m_exitEvent);
    std::free(m_frameDelays);
    if (m_stream != nullptr)
        m_stream->Release();
}

DWORD CAnimatedImage::FrameDelayMs(UINT index) const
{
    if (m_frameDelays == nullptr || index >= m_frameDelays->length / sizeof(UINT))
        return kDefaultDelayMs;
    UINT hundredths = static_cast<const UINT*>(m_frameDelays->value)[index];
    if (hundredths < kMinimumDelayHundredths)
        return kDefaultDelayMs;
    return hundredths * 10;
}

bool CAnimatedImage::InitAnimation(HWND hWnd, int x, int y)
{
    m_hWnd = hWnd;
    m_x = x;
    m_y = y;
    if (!m_loaded || m_frameCount < 2 || m_thread != NULL)
        return false;
    unsigned threadId = 0;
    m_thread = reinterpret_cast<HANDLE>(
        _beginthreadex(NULL, 0, &CAnimatedImage::ThreadEntry, this, CREATE_SUSPENDED, &threadId));
    if (m_thread == NULL)
        return true;
    ::ResumeThread(m_thread);
    return false;
}

unsigned __stdcall CAnimatedImage::ThreadEntry(void* self)
{
    static_cast<CAnimatedImage*>(self)->ThreadAnimation();
    return 0;
}

void CAnimatedImage::ThreadAnimation()
{
    UINT current = 0;
    for (;;) {
        ::WaitForSingleObject(m_pauseEvent, INFINITE);
        HDC hDC = ::GetDC(m_hWnd);
        if (hDC != NULL) {
            {
                Gdiplus::Graphics graphics(hDC);
                graphics.DrawImage(this, m_x, m_y, (INT)GetWidth(), (INT)GetHeight());
            }
            ::ReleaseDC(m_hWnd, hDC);
        }
        UINT drawn = current;
        current = (current + 1) % m_frameCount;
        SelectActiveFrame(&Gdiplus::FrameDimensionTime, current);
        m_currentFrame.store(current);
        if (::WaitForSingleObject(m_exitEvent, FrameDelayMs(drawn)) == WAIT_OBJECT_0)
            break;
    }
}
