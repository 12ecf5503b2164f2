// The toolbar window behind the library's exports: thirteen tool buttons in a row, each
// bound by the host to a message that a click sends to the toolbar's parent.
#pragma once

#include "RibbonButton.h"

#include <afxwin.h>

class CRibbonBar : public CWnd
{
public:
    enum { BUTTON_COUNT = 13, BAR_HEIGHT = 25, BUTTON_WIDTH = 58, FIRST_BUTTON_ID = 0x7100 };

    CRibbonBar();
    ~CRibbonBar() override;

    // The toolbar of hWnd; null for any other window.
    static CRibbonBar* FromToolBar(HWND hWnd);

    BOOL CreateBar(CWnd* parent);
    void SetTarget(HWND hParent);
    void RegisterMessage(int index, UINT message);
    void SetChecked(int index, bool checked);
    void SetEnabled(int index, bool enabled);

    static const char* const kCaptions[BUTTON_COUNT];

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    static bool IsButtonIndex(int index) { return index >= 0 && index < BUTTON_COUNT; }
    void CreateStateImages();

    CRibbonButton m_buttons[BUTTON_COUNT];
    UINT m_messages[BUTTON_COUNT] = {};
    HWND m_hTarget = NULL;
    CFont m_font;
    CBitmap m_stateImages;
};
