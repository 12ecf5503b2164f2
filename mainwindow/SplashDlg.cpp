#include "SplashDlg.h"

#include "AnimatedImage.h"

BEGIN_MESSAGE_MAP(CSplashDlg, CDialogEx)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CSplashDlg::CSplashDlg(CWnd* pParent) : CDialogEx(IDD, pParent)
{
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr);
}

CSplashDlg::~CSplashDlg()
{
    // The image stops its animation thread before GDI+ goes.
    delete m_image;
    m_image = nullptr;
    if (m_gdiplusToken != 0)
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
}

BOOL CSplashDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_image = new CAnimatedImage("GIF", "HEARTS");
    if (!m_image->IsLoaded()) {
        delete m_image;
        m_image = nullptr;
        return TRUE;
    }
    const int width = static_cast<int>(m_image->GetWidth());
    const int height = static_cast<int>(m_image->GetHeight());
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect client;
    GetClientRect(&client);
    m_image->InitAnimation(m_hWnd, (client.Width() - width) / 2, 0);
    return TRUE;
}

BOOL CSplashDlg::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CBrush fill(kPanelColor);
    CPen frame(PS_SOLID, 1, kFrameColor);
    CBrush* oldBrush = pDC->SelectObject(&fill);
    CPen* oldPen = pDC->SelectObject(&frame);
    pDC->RoundRect(client.left, client.top, client.right - 1, client.bottom - 1, 5, 5);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
    return TRUE;
}
