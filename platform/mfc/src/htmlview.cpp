// CHtmlView: a plain window that hosts the page's document window (a read-only rich edit
// control) and turns the control's link notifications into browser events.
#include "wincore.h"

#include <afxhtml.h>
#include <afxshell.h>

#include <richedit.h>

#include <cstring>

namespace {

const char kBlankPage[] = "about:blank";

// Posted to the view to follow a clicked link once the document window has finished with
// the click (the link's handler may replace the page under it). wParam is the page number,
// lParam the link's index.
UINT FollowLinkMessage()
{
    static const UINT message = ::RegisterWindowMessageA("TolvanHtmlViewFollowLink");
    return message;
}

bool StartsWithNoCase(const CString& text, const char* prefix)
{
    return _strnicmp(text.GetString(), prefix, strlen(prefix)) == 0;
}

bool IsWebAddress(const CString& address)
{
    return StartsWithNoCase(address, "http://") || StartsWithNoCase(address, "https://");
}

bool TargetsNewWindow(const CString& target)
{
    return !target.IsEmpty() && target.CompareNoCase("_self") != 0 &&
           target.CompareNoCase("_parent") != 0 && target.CompareNoCase("_top") != 0;
}

UINT ThreadCodePage()
{
    UINT codePage = 0;
    if (::GetLocaleInfoA(::GetThreadLocale(), LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<LPSTR>(&codePage), sizeof(codePage) / sizeof(TCHAR)) ==
            0 ||
        codePage == 0)
        codePage = ::GetACP();
    return codePage;
}

// The rich edit class under the document window's own name; the plain rich edit class when
// it cannot be registered.
LPCTSTR DocumentWindowClass()
{
    static const LPCTSTR className = [] {
        AfxInitRichEdit2();
        WNDCLASSEXA richEdit = { sizeof(richEdit) };
        if (!::GetClassInfoExA(NULL, RICHEDIT_CLASSA, &richEdit))
            return static_cast<LPCTSTR>(RICHEDIT_CLASSA);
        richEdit.hInstance = reinterpret_cast<HINSTANCE>(&__ImageBase);
        richEdit.lpszClassName = AFX_HTML_DOCUMENT_CLASS;
        richEdit.style |= CS_GLOBALCLASS;
        if (!::RegisterClassExA(&richEdit) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            return static_cast<LPCTSTR>(RICHEDIT_CLASSA);
        return static_cast<LPCTSTR>(AFX_HTML_DOCUMENT_CLASS);
    }();
    return className;
}

struct StreamSource {
    const std::string* text;
    size_t offset;
};

DWORD CALLBACK ReadRichText(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read)
{
    StreamSource* source = reinterpret_cast<StreamSource*>(cookie);
    size_t count = std::min<size_t>((size_t)size, source->text->size() - source->offset);
    memcpy(buffer, source->text->data() + source->offset, count);
    source->offset += count;
    *read = (LONG)count;
    return 0;
}

}  // namespace

// The document window: tells the view when the mouse is no longer over a link (the control
// reports links only while the mouse is over one).
class CHtmlView::CDocumentWnd : public CRichEditCtrl
{
public:
    explicit CDocumentWnd(CHtmlView* pView) : m_pView(pView), m_bTracking(FALSE) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_MOUSEMOVE) {
            m_pView->m_bLinkSeen = FALSE;
            LRESULT result = CRichEditCtrl::WindowProc(message, wParam, lParam);
            if (!m_pView->m_bLinkSeen)
                m_pView->SetHoverLink(-1);
            if (!m_bTracking) {
                TRACKMOUSEEVENT track = { sizeof(track), TME_LEAVE, m_hWnd, 0 };
                m_bTracking = ::TrackMouseEvent(&track);
            }
            return result;
        }
        if (message == WM_MOUSELEAVE) {
            m_bTracking = FALSE;
            m_pView->SetHoverLink(-1);
        }
        return CRichEditCtrl::WindowProc(message, wParam, lParam);
    }

private:
    CHtmlView* m_pView;
    BOOL m_bTracking;
};

IMPLEMENT_DYNAMIC(CHtmlView, CWnd)

BEGIN_MESSAGE_MAP(CHtmlView, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CHtmlView::CHtmlView()
    : m_pDocumentWnd(NULL), m_pDocument(NULL), m_strLocation(kBlankPage), m_nHoverLink(-1),
      m_nPressedLink(-1), m_nPage(0), m_bLinkSeen(FALSE)
{
}

CHtmlView::~CHtmlView()
{
    if (::IsWindow(m_hWnd))
        DestroyWindow();
    ReleaseDocument();
}

BOOL CHtmlView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CWnd::Create(lpszClassName, lpszWindowName, dwStyle | WS_CLIPCHILDREN, rect,
                        pParentWnd, nID, pContext);
}

CRichEditCtrl* CHtmlView::GetDocumentWindow()
{
    return m_pDocumentWnd;
}

int CHtmlView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    m_pDocumentWnd = new CDocumentWnd(this);
    if (!m_pDocumentWnd->CWnd::CreateEx(0, DocumentWindowClass(), NULL,
                                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE |
                                            ES_READONLY | ES_AUTOVSCROLL,
                                        client, this, AFX_IDW_PANE_FIRST)) {
        delete m_pDocumentWnd;
        m_pDocumentWnd = NULL;
        return -1;
    }
    m_pDocumentWnd->LimitText(0x7FFFFFFF);
    m_pDocumentWnd->SetEventMask(ENM_LINK);
    m_pDocument = new CHtmlDocument(this);
    ShowPage(std::string());
    return 0;
}

void CHtmlView::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_pDocumentWnd != NULL && ::IsWindow(m_pDocumentWnd->m_hWnd))
        m_pDocumentWnd->MoveWindow(0, 0, cx, cy);
}

void CHtmlView::OnDestroy()
{
    ReleaseDocument();
    CWnd::OnDestroy();
}

void CHtmlView::ReleaseDocument()
{
    delete m_pDocument;
    m_pDocument = NULL;
    if (m_pDocumentWnd != NULL) {
        if (::IsWindow(m_pDocumentWnd->m_hWnd))
            m_pDocumentWnd->DestroyWindow();
        delete m_pDocumentWnd;
        m_pDocumentWnd = NULL;
    }
    m_links.clear();
    m_nHoverLink = -1;
    m_nPressedLink = -1;
    ++m_nPage;
}

void CHtmlView::ShowPage(const std::string& html)
{
    ShowRichText(CHtmlRichText::FromHtml(html.data(), html.size(), ThreadCodePage()));
}

void CHtmlView::ShowRichText(const CHtmlRichText& page)
{
    SetHoverLink(-1);
    ++m_nPage;
    m_nPressedLink = -1;
    m_links = page.m_links;
    if (m_pDocumentWnd == NULL || !::IsWindow(m_pDocumentWnd->m_hWnd))
        return;
    CRichEditCtrl& document = *m_pDocumentWnd;
    document.SetRedraw(FALSE);
    StreamSource source = { &page.m_rtf, 0 };
    EDITSTREAM stream = { reinterpret_cast<DWORD_PTR>(&source), 0, ReadRichText };
    document.StreamIn(SF_RTF, stream);
    for (const AFX_HTML_LINK& link : m_links) {
        document.SetSel(link.cpMin, link.cpMax);
        CHARFORMAT2A format = {};
        format.cbSize = sizeof(format);
        format.dwMask = CFM_LINK;
        format.dwEffects = CFE_LINK;
        document.SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    }
    document.SetSel(0, 0);
    document.SendMessage(WM_VSCROLL, SB_TOP, 0);
    document.SetRedraw(TRUE);
    document.Invalidate();
}

BOOL CHtmlView::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (m_pDocumentWnd != NULL && header != NULL && header->hwndFrom == m_pDocumentWnd->m_hWnd &&
        header->code == EN_LINK) {
        OnLinkEvent(*reinterpret_cast<const ENLINK*>(lParam));
        if (pResult != NULL)
            *pResult = 0;
        return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

void CHtmlView::OnLinkEvent(const ENLINK& event)
{
    int nLink = LinkAt(event.chrg.cpMin);
    switch (event.msg) {
    case WM_MOUSEMOVE:
        m_bLinkSeen = TRUE;
        SetHoverLink(nLink);
        break;
    case WM_LBUTTONDOWN:
        m_nPressedLink = nLink;
        break;
    case WM_LBUTTONUP:
        if (nLink >= 0 && nLink == m_nPressedLink)
            PostMessage(FollowLinkMessage(), m_nPage, nLink);
        m_nPressedLink = -1;
        break;
    default:
        break;
    }
}

LRESULT CHtmlView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == FollowLinkMessage()) {
        // A click on a page that was replaced meanwhile follows nothing.
        if ((UINT)wParam == m_nPage && lParam >= 0 && (size_t)lParam < m_links.size()) {
            AFX_HTML_LINK link = m_links[(size_t)lParam];
            FollowLink(link);
        }
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

int CHtmlView::LinkAt(LONG cp) const
{
    for (size_t i = 0; i < m_links.size(); ++i) {
        if (cp >= m_links[i].cpMin && cp < m_links[i].cpMax)
            return (int)i;
    }
    return -1;
}

void CHtmlView::SetHoverLink(int nLink)
{
    if (nLink == m_nHoverLink)
        return;
    m_nHoverLink = nLink;
    OnStatusTextChange(nLink >= 0 ? m_links[(size_t)nLink].strHref.GetString() : "");
}

void CHtmlView::FollowLink(const AFX_HTML_LINK& link)
{
    if (TargetsNewWindow(link.strTarget)) {
        m_strNewWindowURL = link.strHref;
        BOOL bCancel = FALSE;
        LPDISPATCH pDisp = NULL;
        OnNewWindow2(&pDisp, &bCancel);
        m_strNewWindowURL.Empty();
        if (bCancel)
            return;
    }
    Navigate2(link.strHref, 0, link.strTarget);
}

void CHtmlView::Navigate2(LPCTSTR lpszURL, DWORD dwFlags, LPCTSTR lpszTargetFrameName,
                          LPCTSTR lpszHeaders, LPVOID lpvPostData, DWORD dwPostDataLen)
{
    CString address = lpszURL != NULL ? lpszURL : "";
    CByteArray postedData;
    if (lpvPostData != NULL && dwPostDataLen > 0) {
        postedData.SetSize((INT_PTR)dwPostDataLen);
        memcpy(postedData.GetData(), lpvPostData, dwPostDataLen);
    }
    BOOL bCancel = FALSE;
    OnBeforeNavigate2(address, dwFlags, lpszTargetFrameName != NULL ? lpszTargetFrameName : "",
                      postedData, lpszHeaders != NULL ? lpszHeaders : "", &bCancel);
    if (bCancel || !::IsWindow(m_hWnd))
        return;
    if (address.CompareNoCase(kBlankPage) == 0) {
        m_strLocation = kBlankPage;
        ShowPage(std::string());
    } else if (IsWebAddress(address)) {
        AfxShellExecute(m_hWnd, "open", address, NULL, NULL, SW_SHOWNORMAL);
    }
}

void CHtmlView::OnBeforeNavigate2(LPCTSTR, DWORD, LPCTSTR, CByteArray&, LPCTSTR, BOOL*) {}

void CHtmlView::OnStatusTextChange(LPCTSTR) {}

void CHtmlView::OnNewWindow2(LPDISPATCH*, BOOL*) {}
