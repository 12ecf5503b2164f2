// The HTML view: a page of HTML shown as formatted text. No browser engine runs here: the
// page is parsed with libxml2's HTML parser, converted to rich text (RTF) and laid out in a
// read-only rich edit control, the view's document window. Links are link-effect text;
// hovering and clicking them raise the browser events a view override expects.
//
// Pages are text in a multi-byte code page (GBK for this program); libxml2 works in UTF-8,
// so the text is converted on the way in, and link addresses on the way out.
#pragma once

#include "afxcmn.h"
#include "afxcoll.h"
#include "afxwin.h"

#include <string>
#include <vector>

// The window class of a view's document window (a rich edit control under a name of its own,
// so pre-translation can tell it from any other rich edit).
#define AFX_HTML_DOCUMENT_CLASS "TolvanHtmlDocument"

// One link of a converted page: its characters [cpMin, cpMax) in the document window and its
// address and target frame, in the page's code page.
struct AFX_HTML_LINK
{
    LONG cpMin;
    LONG cpMax;
    CString strHref;
    CString strTarget;
};

// A page converted to rich text.
class AFX_API CHtmlRichText
{
public:
    // Converts `length` bytes of HTML in code page `codePage`. Never fails: malformed markup
    // is repaired the way the parser repairs it, NUL bytes are dropped and invalid bytes
    // become the code page's default character.
    static CHtmlRichText FromHtml(const char* html, size_t length, UINT codePage);

    std::string m_rtf;                  // 7-bit RTF, non-ASCII as \uN
    std::vector<AFX_HTML_LINK> m_links; // in page order
};

class CHtmlView;

// The page of a view, written the way a browser document is: Open discards the page being
// written, Write appends HTML text (in the thread's ANSI code page) and Close shows it,
// replacing the whole page.
class AFX_API CHtmlDocument
{
public:
    explicit CHtmlDocument(CHtmlView* pView);

    void Open();
    void Write(LPCTSTR lpszText);
    void Close();

private:
    CHtmlView* m_pView;
    std::string m_text;
    BOOL m_bOpen;
};

class AFX_API CHtmlView : public CWnd
{
    DECLARE_DYNAMIC(CHtmlView)
public:
    CHtmlView();
    ~CHtmlView() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL) override;

    // The view's page; NULL while the view has no window.
    CHtmlDocument* GetHtmlDocument() const { return m_pDocument; }
    // The rich edit control that shows the page; NULL while the view has no window.
    CRichEditCtrl* GetDocumentWindow();
    // The links of the page shown.
    const std::vector<AFX_HTML_LINK>& GetLinks() const { return m_links; }
    // The address of the page shown ("about:blank" or the last one written).
    CString GetLocationURL() const { return m_strLocation; }

    // Raises OnBeforeNavigate2; unless cancelled, "about:blank" shows an empty page, and an
    // http or https address is opened in the user's browser (the view shows no remote pages).
    void Navigate2(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = NULL,
                   LPCTSTR lpszHeaders = NULL, LPVOID lpvPostData = NULL,
                   DWORD dwPostDataLen = 0);

    // Browser events.
    virtual void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName,
                                   CByteArray& baPostedData, LPCTSTR lpszHeaders,
                                   BOOL* pbCancel);
    // The address of the link under the mouse, or an empty text when it leaves the link.
    virtual void OnStatusTextChange(LPCTSTR lpszText);
    // A link asks for a new browser window; GetNewWindowURL tells its address meanwhile.
    // Unless cancelled, the address is navigated like any other.
    virtual void OnNewWindow2(LPDISPATCH* ppDisp, BOOL* pbCancel);

    // Internal: shows a page (the document's Close). `html` is in the thread's ANSI code page.
    void ShowPage(const std::string& html);

protected:
    const CString& GetNewWindowURL() const { return m_strNewWindowURL; }
    // Destroys the document window's page; the view stays a plain window.
    void ReleaseDocument();

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    class CDocumentWnd;
    friend class CDocumentWnd;

    void ShowRichText(const CHtmlRichText& page);
    void OnLinkEvent(const ENLINK& link);
    void SetHoverLink(int nLink);
    int LinkAt(LONG cp) const;
    void FollowLink(const AFX_HTML_LINK& link);

    CDocumentWnd* m_pDocumentWnd;
    CHtmlDocument* m_pDocument;
    std::vector<AFX_HTML_LINK> m_links;
    CString m_strLocation;
    CString m_strNewWindowURL;
    int m_nHoverLink;
    int m_nPressedLink;
    UINT m_nPage;           // counts pages shown, so a posted click never follows a newer page
    BOOL m_bLinkSeen;       // a link event came during the document's current mouse move
};
