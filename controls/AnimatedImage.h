// An animated GIF read from a resource and played by a thread of its own, which draws each
// frame straight into a window's DC at a fixed position (the window does not repaint it).
#pragma once

#include <winsock2.h>
#include <windows.h>

#include <gdiplus.h>

#include <atomic>

class CAnimatedImage : public Gdiplus::Image
{
public:
    // The resource `name` of `type` (the program's: "GIF", "HEARTS") of the current
    // resource module.
    CAnimatedImage(LPCSTR type, LPCSTR name);
    ~CAnimatedImage() override;
    CAnimatedImage(const CAnimatedImage&) = delete;
    CAnimatedImage& operator=(const CAnimatedImage&) = delete;

    // Starts the animation into `hWnd` at (x, y) when the image has two or more frames and
    // none runs yet. True only when the thread could not be created.
    bool InitAnimation(HWND hWnd, int x, int y);

    bool IsLoaded() const { return m_loaded != 0; }
    UINT FrameCount() const { return m_frameCount; }
    // The frame the animation shows next.
    UINT GetCurrentFrame() const { return m_currentFrame.load(); }
    bool IsAnimating() const { return m_thread != NULL; }
    // Delay after frame `index` in milliseconds: a recorded delay of 0 or 1 hundredths
    // (which many GIFs carry) is played at 100 ms, as a browser does, rather than spinning.
    DWORD FrameDelayMs(UINT index) const;
    // The animation thread, so a caller can see it has ended (tests).
    HANDLE ThreadHandle() const { return m_thread; }

private:
    CAnimatedImage(IStream* stream, HMODULE module);
    static unsigned __stdcall ThreadEntry(void* self);
    void ThreadAnimation();
    void ReadFrames();

    IStream* m_stream = nullptr;
    HANDLE m_thread = NULL;
    HANDLE m_pauseEvent = NULL;
    HANDLE m_exitEvent = NULL;
    HMODULE m_module = NULL;
    HWND m_hWnd = NULL;
    UINT m_frameCount = 0;
    std::atomic<UINT> m_currentFrame{0};
    BYTE m_loaded = 0;
    BYTE m_paused = 0;
    Gdiplus::PropertyItem* m_frameDelays = nullptr;
    int m_x = 0;
    int m_y = 0;
};
