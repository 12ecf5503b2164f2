// The start-up window: the animated "HEARTS" picture on a light rounded panel, standing on
// the desktop while the main window waits off-screen for the login and the instrument
// lists. The main window creates it and destroys it (window and object) when it shows
// itself.
#pragma once

#include "MainDialogsResource.h"

#include <afxdialogex.h>

class CAnimatedImage;

class CSplashDlg : public CDialogEx
{
public:
    enum { IDD = IDD_SPLASH_DIALOG };

    explicit CSplashDlg(CWnd* pParent = nullptr);
    ~CSplashDlg() override;

    // Null when the picture could not be loaded (the panel stands without it).
    const CAnimatedImage* GetImage() const { return m_image; }

    static constexpr COLORREF kPanelColor = 0xF1F1F1;
    static constexpr COLORREF kFrameColor = 0xA9A9A9;

protected:
    BOOL OnInitDialog() override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    ULONG_PTR m_gdiplusToken = 0;
    CAnimatedImage* m_image = nullptr;
};
