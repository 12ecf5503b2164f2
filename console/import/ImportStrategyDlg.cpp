#include "ImportStrategyDlg.h"

#include <process.h>

#include "StrategyMerge.h"
#include "ThreadWait.h"

namespace {

const char kMessageCaption[] = "Tolvan证券";

}  // namespace

BEGIN_MESSAGE_MAP(CImportStrategyDlg, CDialogEx)
    ON_WM_DESTROY()
    ON_MESSAGE(WM_IMPORT_QUESTION, &CImportStrategyDlg::OnImportQuestion)
    ON_MESSAGE(WM_IMPORT_PROGRESS, &CImportStrategyDlg::OnImportProgress)
    ON_MESSAGE(WM_IMPORT_FINISHED, &CImportStrategyDlg::OnImportFinished)
END_MESSAGE_MAP()

CImportStrategyDlg::CImportStrategyDlg(CWnd* pParent)
    : CDialogEx(IDD, pParent), m_done(0), m_stop(0), m_merged(0), m_worker(NULL),
      m_shownCount(0), m_questionOpen(false), m_closeAfterQuestion(false)
{
}

CImportStrategyDlg::~CImportStrategyDlg()
{
    StopWorker();
}

void CImportStrategyDlg::SetImportList(const std::vector<ImportedStrategy>& entries)
{
    m_importList = entries;
}

void CImportStrategyDlg::SetLocalStrategies(const std::vector<StrategyInfo>& strategies)
{
    m_strategies = strategies;
}

void CImportStrategyDlg::SetAssignments(const std::vector<UserStrategy>& assignments)
{
    m_assignments = assignments;
}

void CImportStrategyDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_IMPORT_PROGRESS, m_progress);
}

BOOL CImportStrategyDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_titleFont.CreatePointFont(160, "宋体");
    GetDlgItem(IDC_IMPORT_TITLE)->SetFont(&m_titleFont);
    m_progress.SetRange32(0, static_cast<int>(m_importList.size()));
    m_progress.SetPos(0);
    m_stop = 0;
    // Shown before the worker starts, so that its first question stands over the dialog.
    ShowWindow(SW_SHOW);
    m_worker = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ImportStrategyThread, this, 0, nullptr));
    return TRUE;
}

unsigned __stdcall CImportStrategyDlg::ImportStrategyThread(void* dialog)
{
    CImportStrategyDlg* self = static_cast<CImportStrategyDlg*>(dialog);
    self->ImportAll(self->m_hWnd);
    return 0;
}

// The worker. It alone changes the lists while it runs; the dialog's thread reads them only
// after the worker has ended.
void CImportStrategyDlg::ImportAll(HWND window)
{
    StrategyMerge merge(m_strategies, m_assignments, [window](const CString& question) {
        return ::SendMessage(window, WM_IMPORT_QUESTION, 0, reinterpret_cast<LPARAM>(&question)) == IDYES;
    });
    for (size_t i = 0; i < m_importList.size(); ++i) {
        if (m_stop != 0)
            return;
        merge.ImportOne(m_importList[i]);
        ::InterlockedIncrement(&m_merged);
        ::SendMessage(window, WM_IMPORT_PROGRESS, i + 1, 0);
    }
    m_done = 1;
    ::SendMessage(window, WM_IMPORT_FINISHED, 0, 0);
}

LRESULT CImportStrategyDlg::OnImportQuestion(WPARAM, LPARAM lParam)
{
    const CString* question = reinterpret_cast<const CString*>(lParam);
    m_questionOpen = true;
    const int answer = MessageBox(*question, kMessageCaption, MB_YESNO);
    m_questionOpen = false;
    if (m_closeAfterQuestion) {
        m_closeAfterQuestion = false;
        PostMessage(WM_COMMAND, IDCANCEL);
    }
    return answer == IDYES ? IDYES : IDNO;
}

LRESULT CImportStrategyDlg::OnImportProgress(WPARAM wParam, LPARAM)
{
    CString text;
    text.Format("Excel共 %d 条策略, 已成功导入 %d 条", static_cast<int>(m_importList.size()),
                static_cast<int>(wParam));
    SetDlgItemText(IDC_IMPORT_COUNT, text);
    m_progress.SetPos(static_cast<int>(wParam));
    m_shownCount = static_cast<int>(wParam);
    return 0;
}

LRESULT CImportStrategyDlg::OnImportFinished(WPARAM, LPARAM)
{
    SetDlgItemText(IDC_IMPORT_TITLE, "导入完成");
    return 0;
}

void CImportStrategyDlg::OnOK()
{
    // Enter does not end an import; only closing does.
}

void CImportStrategyDlg::OnCancel()
{
    if (m_questionOpen) {
        // The worker sits in its question: waiting here would hold up the answer it waits
        // for. Stop it now and close once the question is answered.
        m_stop = 1;
        m_closeAfterQuestion = true;
        return;
    }
    StopWorker();
    EndDialog(m_merged > 0 ? IDOK : IDCANCEL);
}

void CImportStrategyDlg::OnDestroy()
{
    StopWorker();
    CDialogEx::OnDestroy();
}

void CImportStrategyDlg::StopWorker()
{
    if (m_worker == NULL)
        return;
    m_stop = 1;
    // The worker asks and reports by SendMessage; the wait answers it, so it always gets to
    // its stop check and ends by itself.
    WaitForThread(m_worker, INFINITE);
    ::CloseHandle(m_worker);
    m_worker = NULL;
}
