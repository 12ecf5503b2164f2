// The strategy import dialog ("策略导入"): merges the strategies read from a workbook into the
// local strategies and assignments on a worker thread, one by one, asking the user about every
// name clash and every account whose strategy would change, and shows the progress. The worker
// never touches the window: it asks and reports by SendMessage, and the dialog answers.
//
// Closing the dialog stops the worker before its next strategy and waits for it (answering its
// messages meanwhile), so what was merged stays merged and nothing is cut off half-way.
#pragma once

#include <afxcmn.h>
#include <afxdialogex.h>

#include <vector>

#include "ConsoleDialogsResource.h"
#include "ImportedStrategy.h"

// Worker to dialog: lParam a const CString* question; the result is IDYES or IDNO.
#define WM_IMPORT_QUESTION (WM_USER + 1321)
// Worker to dialog: wParam the number of strategies merged so far.
#define WM_IMPORT_PROGRESS (WM_USER + 1322)
// Worker to dialog: every strategy is merged.
#define WM_IMPORT_FINISHED (WM_USER + 1323)

class CImportStrategyDlg : public CDialogEx
{
public:
    enum { IDD = IDD_IMPORT_STRATEGY };

    explicit CImportStrategyDlg(CWnd* pParent = nullptr);
    ~CImportStrategyDlg() override;

    // Each is copied in before the modal run.
    void SetImportList(const std::vector<ImportedStrategy>& entries);
    void SetLocalStrategies(const std::vector<StrategyInfo>& strategies);
    void SetAssignments(const std::vector<UserStrategy>& assignments);

    // Read after the modal run: the merged lists. The run ends with IDOK when at least one
    // strategy was merged, IDCANCEL when none was.
    const std::vector<StrategyInfo>& GetLocalStrategies() const { return m_strategies; }
    const std::vector<UserStrategy>& GetAssignments() const { return m_assignments; }
    bool IsDone() const { return m_done != 0; }
    int GetMergedCount() const { return static_cast<int>(m_merged); }
    // The merged count the dialog last showed: equal to GetMergedCount when the dialog answered
    // its worker to the end.
    int GetShownCount() const { return m_shownCount; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnDestroy();
    afx_msg LRESULT OnImportQuestion(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnImportProgress(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnImportFinished(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    static unsigned __stdcall ImportStrategyThread(void* dialog);
    void ImportAll(HWND window);
    void StopWorker();

    BYTE m_done;
    std::vector<ImportedStrategy> m_importList;
    std::vector<StrategyInfo> m_strategies;
    std::vector<UserStrategy> m_assignments;
    volatile LONG m_stop;
    volatile LONG m_merged;
    CFont m_titleFont;
    CProgressCtrl m_progress;
    HANDLE m_worker;
    int m_shownCount;
    bool m_questionOpen;
    bool m_closeAfterQuestion;
};
