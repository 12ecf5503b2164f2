// The frame of the list windows: a modeless child dialog with a row of command buttons
// above one report list. It keeps no trading data: the trade dialog edits the list row by row
// (`ListCommand`), switches buttons (`ButtonState`) and receives the pressed button's caption
// and the selected row's text, sent to the window's grandparent (the trade dialog; the parent
// is the trading container). Each window adds its buttons, columns, telling cells and layout.
#pragma once
#include <afxwin.h>

#include <LayerButton.h>
#include <ListCtrlEx.h>
#include <TradingRecords.h>

#include <vector>

class CListFrameDlg : public CDialog
{
public:
    struct Messages
    {
        // 0 where the window has no such message.
        UINT list;
        UINT buttonState;
        UINT command;
        UINT row;
    };
    struct Column
    {
        const char* text;
        int width;
    };
    struct ExportNames
    {
        const char* stem;
        const char* filter;
    };

    CListFrameDlg(UINT templateId, const Messages& messages, const ExportNames& exportNames);
    ~CListFrameDlg() override;

    CListCtrlEx& List() { return m_list; }
    const ListRequest& Request() const { return m_request; }

    // The rows' cells joined by "|", each row followed by "\n".
    CString JoinAllRows();
    // Header line, blank line, then one line per row, every text right-aligned in 15 places.
    CString ListToText();
    void ExportListToText();

protected:
    // Buttons and columns; the fonts and the list exist already.
    virtual void CreateControls() = 0;
    virtual void LayOut(int cx, int cy) = 0;
    // Colours of the window's telling cells of an existing row; `colours` has one black entry
    // per column.
    virtual void TellRowColors(int row, std::vector<COLORREF>& colours) = 0;
    virtual void OnCommandButton(UINT id);
    virtual void OnButtonState(const ButtonState& state) { (void)state; }

    void CreateList(UINT id);
    void InsertColumns(const Column* columns, int count);
    void CreateTopButton(CLayerButton& button, UINT id, LPCTSTR caption);
    void CreateSideButton(CLayerButton& button, UINT id, LPCTSTR caption);
    void MoveControl(CWnd& control, int x, int y, int width, int height);
    // The window that receives the requests: the parent's parent.
    void SendUp(UINT message, WPARAM wParam);
    void SendCommand(const CString& caption);
    int ColumnCount();
    CString CellText(int row, int column);
    static bool Is(const CString& text, const char* value) { return text == value; }

    void UpdateRowColors(int row);
    void SetListRowCells(int row, const CString& text);
    void SetListRows(int row, const CString& text);
    void OnListCommand(const ListCommand& command);
    void OnRowSelected();

    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnOK() override {}
    void PostNcDestroy() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);

    Messages m_messages;
    ExportNames m_exportNames;
    CFont m_font;
    CFont m_boldFont;
    CListCtrlEx m_list;
    ListRequest m_request;

    DECLARE_MESSAGE_MAP()
};
