// One toolbar button: the layered button of the control library painted as a flat tool
// button with a state image left of its caption; checked buttons are drawn dark with a
// light caption, disabled ones grey.
#pragma once

#include "LayerButton.h"

class CRibbonButton : public CLayerButton
{
public:
    enum ImageState { IMAGE_NORMAL = 0, IMAGE_CHECKED = 1, IMAGE_DISABLED = 2, IMAGE_STATES = 3 };
    enum { IMAGE_SIZE = 16 };

    // The strip of state images (IMAGE_STATES squares of IMAGE_SIZE, side by side) stays
    // the toolbar's; it is read at every paint.
    void SetStateImages(CBitmap* strip) { m_stateImages = strip; }
    void SetChecked(bool checked);
    bool IsChecked() const { return m_checked; }

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // Colours of the three looks (tests compare pixels with them).
    static constexpr COLORREF kBarColor = 0xEEEEEE;
    static constexpr COLORREF kHoverColor = 0xDCDCDC;
    static constexpr COLORREF kCheckedColor = 0x646464;
    static constexpr COLORREF kDisabledTextColor = 0xA0A0A0;

protected:
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    ImageState CurrentImageState(bool disabled) const;

    CBitmap* m_stateImages = nullptr;
    bool m_checked = false;
};
