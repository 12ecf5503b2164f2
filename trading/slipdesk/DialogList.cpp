#include "DialogList.h"

#include "SlipdeskMessages.h"
#include "SlipdeskResource.h"

namespace {

const char* const kPriceKinds[] = {"对手价", "对手价超一", "对手价超二", "挂单价", "市价", "涨停价", "跌停价"};

}  // namespace

DialogList::DialogList(CWnd* owner) : CDialogEx(IDD_PRICE_KIND_LIST, NULL), m_owner(owner) {}

BEGIN_MESSAGE_MAP(DialogList, CDialogEx)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_PRICE_KIND_LIST, &DialogList::OnItemChanged)
    ON_NOTIFY(NM_CUSTOMDRAW, IDC_PRICE_KIND_LIST, &DialogList::OnCustomDraw)
END_MESSAGE_MAP()

void DialogList::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PRICE_KIND_LIST, m_list);
}

BOOL DialogList::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    CRect client;
    GetClientRect(&client);
    m_list.MoveWindow(client);
    m_filling = true;
    m_list.InsertColumn(0, "", LVCFMT_LEFT, client.Width() - 4);
    for (int i = 0; i < (int)(sizeof(kPriceKinds) / sizeof(kPriceKinds[0])); ++i)
        m_list.InsertItem(i, kPriceKinds[i]);
    m_filling = false;
    return TRUE;
}

void DialogList::OnCancel()
{
    ShowWindow(SW_HIDE);
}

void DialogList::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    NMLISTVIEW* change = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    if (m_filling || (change->uNewState & LVIS_SELECTED) == 0)
        return;
    int row = change->iItem;
    if (row < 0)
        return;
    m_selectedRow = row;
    CString text = m_list.GetItemText(row, 0);
    if (m_owner != nullptr && ::IsWindow(m_owner->GetSafeHwnd()))
        m_owner->SendMessage(WM_PRICE_KIND_PICKED, (WPARAM)&text);
    OnCancel();
}

void DialogList::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT: {
        bool picked = (int)draw->nmcd.dwItemSpec == m_selectedRow;
        draw->clrText = picked ? 0xFFFFFF : 0x000000;
        draw->clrTextBk = picked ? 0xFF0000 : 0xFFFFFF;
        // The list's own selection colours would hide the picked row's.
        draw->nmcd.uItemState &= ~(UINT)(CDIS_SELECTED | CDIS_FOCUS);
        *pResult = CDRF_DODEFAULT;
        return;
    }
    default:
        *pResult = CDRF_DODEFAULT;
    }
}
