#include "DialogKey.h"

#include "SlipdeskMessages.h"
#include "SlipdeskResource.h"

namespace {

const struct { UINT id; int value; } kKeys[] = {
    {IDC_KEY_1, 1},   {IDC_KEY_2, 2},     {IDC_KEY_3, 3},
    {IDC_KEY_5, 5},   {IDC_KEY_10, 10},   {IDC_KEY_20, 20},
    {IDC_KEY_50, 50}, {IDC_KEY_100, 100}, {IDC_KEY_200, 200},
};

}  // namespace

DialogKey::DialogKey(CWnd* owner) : CDialogEx(IDD_QUANTITY_KEYPAD, NULL), m_owner(owner) {}

BOOL DialogKey::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        for (const auto& key : kKeys) {
            if (key.id != LOWORD(wParam))
                continue;
            m_lastValue = key.value;
            if (m_owner != nullptr && ::IsWindow(m_owner->GetSafeHwnd()))
                m_owner->SendMessage(WM_KEYPAD_QUANTITY, (WPARAM)key.value);
            OnCancel();
            return TRUE;
        }
    }
    return CDialogEx::OnCommand(wParam, lParam);
}

void DialogKey::OnCancel()
{
    // A modeless pop-up: closing hides it for the next use.
    ShowWindow(SW_HIDE);
}
