#include "OrderDetailDlg.h"
#include <algorithm>
#include "ConnectionRegistry.h"
#include "OrderDetailWindow.h"
#include "ReplyMessages.h"
#include "ServerSession.h"

namespace {
const int kRowHeight = 20;
const int kRowGap = 2;
const int kSideMargin = 20;
}  // namespace

BEGIN_MESSAGE_MAP(COrderDetailDlg, CDialogEx)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_BN_CLICKED(IDC_ORDERDETAIL_CANCEL, &COrderDetailDlg::OnCancelButton)
    ON_MESSAGE(WM_PREORDER_INFO, &COrderDetailDlg::OnPreOrderInfo)
END_MESSAGE_MAP()

COrderDetailDlg::COrderDetailDlg(CWnd* pParent) : CDialogEx(IDD, pParent)
{
}

BOOL COrderDetailDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetOrderDetailWindow(m_hWnd);
    BuildBackBuffer();
    m_titleFont.CreatePointFont(120, "宋体");
    m_rowFont.CreatePointFont(100, "宋体");
    m_linePen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    GetDlgItem(IDOK)->EnableWindow(FALSE);
    GetDlgItem(IDC_ORDERDETAIL_CANCEL)->EnableWindow(FALSE);
    // Without an order session nothing is asked: the window can only be closed.
    CServerSession* session = GetConnectionRegistry().GetOrderSession();
    if (session != nullptr)
        session->SendPreNewOrder(m_check.Order());
    return TRUE;
}

void COrderDetailDlg::OnDestroy()
{
    if (GetOrderDetailWindow() == m_hWnd)
        SetOrderDetailWindow(NULL);
    RestoreBackBitmap();
    CDialogEx::OnDestroy();
}

void COrderDetailDlg::BuildBackBuffer()
{
    GetClientRect(&m_client);
    RestoreBackBitmap();
    m_backBitmap.DeleteObject();
    m_backDC.DeleteDC();
    CClientDC windowDC(this);
    m_backDC.CreateCompatibleDC(&windowDC);
    m_backBitmap.CreateCompatibleBitmap(&windowDC, std::max(1, (int)m_client.Width()), std::max(1, (int)m_client.Height()));
    // Kept by handle: the wrapper SelectObject returns is a temporary that the idle clean-up
    // deletes.
    m_originalBitmap = ::SelectObject(m_backDC.m_hDC, m_backBitmap.m_hObject);
    m_backDC.SetBkMode(TRANSPARENT);
}

void COrderDetailDlg::RestoreBackBitmap()
{
    if (m_backDC.m_hDC != NULL && m_originalBitmap != NULL)
        ::SelectObject(m_backDC.m_hDC, m_originalBitmap);
    m_originalBitmap = NULL;
}

void COrderDetailDlg::OnSize(UINT type, int cx, int cy)
{
    CDialogEx::OnSize(type, cx, cy);
    if (m_backDC.GetSafeHdc() != NULL)
        BuildBackBuffer();
}

BOOL COrderDetailDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void COrderDetailDlg::OnPaint()
{
    CPaintDC dc(this);
    if (m_backDC.GetSafeHdc() == NULL)
        return;
    Draw(m_backDC, m_client);
    dc.BitBlt(0, 0, m_client.Width(), m_client.Height(), &m_backDC, 0, 0, SRCCOPY);
}

void COrderDetailDlg::Draw(CDC& dc, const CRect& client)
{
    dc.FillSolidRect(&client, RGB(255, 255, 255));
    dc.SetBkMode(TRANSPARENT);
    CFont* oldFont = dc.SelectObject(&m_titleFont);
    dc.SetTextColor(RGB(0, 0, 0));
    CRect title(client.left, 10, client.right, 40);
    dc.DrawText("订单明细", &title, DT_CENTER | DT_VCENTER | DT_SINGLELINE);

    dc.SelectObject(&m_rowFont);
    int top = 40;
    auto rowRect = [&](int rowTop) { return CRect(client.left + kSideMargin, rowTop, client.right - kSideMargin, rowTop + kRowHeight); };
    auto drawRow = [&](const CPreOrderCheck::Row& row) {
        top += kRowGap;
        CRect rect = rowRect(top);
        dc.SetTextColor(RGB(0, 0, 0));
        dc.DrawText(row.label, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        dc.SetTextColor(row.colour);
        dc.DrawText(row.value, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
        top += kRowHeight;
    };
    for (const CPreOrderCheck::Row& row : m_check.OrderRows())
        drawRow(row);

    CPen* oldPen = dc.SelectObject(&m_linePen);
    const int lineY = top + kRowHeight / 2;
    dc.MoveTo(client.left + kSideMargin, lineY);
    dc.LineTo(client.right - kSideMargin, lineY);
    dc.SelectObject(oldPen);
    top += kRowHeight;

    const CPreOrderCheck::State state = m_check.GetState();
    if (state == CPreOrderCheck::ALLOWED)
    {
        for (const CPreOrderCheck::Row& row : m_check.VerdictRows())
            drawRow(row);
    }
    else
    {
        CRect rect = rowRect(top + kRowGap);
        dc.SetTextColor(RGB(0, 0, 0));
        dc.DrawText(state == CPreOrderCheck::WAITING ? "正在获取数据..." : "保证金不足", &rect,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    dc.SelectObject(oldFont);
}

LRESULT COrderDetailDlg::OnPreOrderInfo(WPARAM wParam, LPARAM)
{
    const OrderInfo* reply = reinterpret_cast<const OrderInfo*>(wParam);
    if (reply == nullptr || !m_check.Accept(*reply))
        return 0;
    const CPreOrderCheck::State state = m_check.GetState();
    if (state == CPreOrderCheck::WAITING)
        return 0;
    GetDlgItem(IDOK)->EnableWindow(TRUE);
    GetDlgItem(IDC_ORDERDETAIL_CANCEL)->EnableWindow(TRUE);
    if (state == CPreOrderCheck::REFUSED)
        GetDlgItem(IDOK)->SetWindowText("强制交易");
    Invalidate();
    return 0;
}

void COrderDetailDlg::OnCancelButton()
{
    PostMessage(WM_CLOSE);
}
