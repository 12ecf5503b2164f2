// CHtmlDocument: the page a view is being written, shown when it is closed.
#include "wincore.h"

#include <afxhtml.h>

CHtmlDocument::CHtmlDocument(CHtmlView* pView) : m_pView(pView), m_bOpen(FALSE) {}

void CHtmlDocument::Open()
{
    m_text.clear();
    m_bOpen = TRUE;
}

void CHtmlDocument::Write(LPCTSTR lpszText)
{
    // Written without Open, the text starts a page as a browser document does.
    if (!m_bOpen)
        Open();
    if (lpszText != NULL)
        m_text += lpszText;
}

void CHtmlDocument::Close()
{
    if (!m_bOpen)
        return;
    m_bOpen = FALSE;
    std::string page;
    page.swap(m_text);
    m_pView->ShowPage(page);
}
