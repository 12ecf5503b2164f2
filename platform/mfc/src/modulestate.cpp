// Module states (one per module that uses the class layer), the per-thread state of the
// window core, and the accessors built on them (AfxGetApp, AfxGetResourceHandle...).
#include "wincore.h"

#include <mutex>

namespace afxcore {
namespace {

// The per-thread state lives on the heap in a fiber-local slot whose callback frees it when
// the thread ends. Not a thread_local object with a destructor: the C++ run-time registers
// such a destructor with a reference on the module and, on a std::thread, drops that
// reference (FreeLibrary, which needs the loader lock) while the threads library holds its
// own thread-list lock. A thread ending at the same time holds the loader lock and asks for
// that list lock in its detach call-back, and both threads wait for ever.
// A state asked for after the callback ran (late detach work, static destructors at process
// exit) is made again and simply not freed.
DWORD StateSlot();

void FreeThreadState(ThreadState* state)
{
    // Out of the slot first: a destructor below that asks for the state must not get the one
    // being freed.
    ::FlsSetValue(StateSlot(), NULL);
    // Temporary window objects die with their thread (their handles do not).
    for (auto& entry : state->tempWnds) {
        entry.second->m_hWnd = NULL;
        delete entry.second;
    }
    for (CWnd* retired : state->retiredTemps) {
        retired->m_hWnd = NULL;
        delete retired;
    }
    if (state->cbtHook != NULL)
        ::UnhookWindowsHookEx(state->cbtHook);
    delete state;
}

void WINAPI OnThreadEnd(void* state)
{
    if (state != NULL)
        FreeThreadState(static_cast<ThreadState*>(state));
}

DWORD StateSlot()
{
    static const DWORD slot = ::FlsAlloc(&OnThreadEnd);
    return slot;
}

}  // namespace

ThreadState& State()
{
    const DWORD slot = StateSlot();
    ThreadState* state = static_cast<ThreadState*>(::FlsGetValue(slot));
    if (state == nullptr) {
        state = new ThreadState;
        ::FlsSetValue(slot, state);
    }
    return *state;
}

}  // namespace afxcore

using afxcore::State;

AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    return &State();
}

namespace {

// Module states are created on first use and live for the process: windows, threads and
// static objects may refer to them until the very end.
std::mutex& RegistryLock()
{
    static std::mutex* lock = new std::mutex;
    return *lock;
}

std::unordered_map<HINSTANCE, AFX_MODULE_STATE*>& Registry()
{
    static auto* registry = new std::unordered_map<HINSTANCE, AFX_MODULE_STATE*>;
    return *registry;
}

HINSTANCE ProgramInstance()
{
    return ::GetModuleHandle(NULL);
}

// A library's application object gets its InitInstance the first time its module state
// becomes current (an MFC library's runs when the library is loaded; ours cannot run from
// the loader).
void InitializeLibraryApp(AFX_MODULE_STATE* pState)
{
    if (!pState->m_bDLL || pState->m_bAppInitialized || pState->m_pCurrentWinApp == NULL)
        return;
    pState->m_bAppInitialized = TRUE;
    CWinApp* pApp = pState->m_pCurrentWinApp;
    pApp->SetDerivedNames();
    pApp->InitInstance();
}

}  // namespace

AFX_MODULE_STATE* AFXAPI AfxGetModuleStateForInstance(HINSTANCE hInstance)
{
    if (hInstance == NULL)
        hInstance = ProgramInstance();
    std::lock_guard<std::mutex> guard(RegistryLock());
    AFX_MODULE_STATE*& pState = Registry()[hInstance];
    if (pState == NULL) {
        pState = new AFX_MODULE_STATE();
        pState->m_hCurrentInstanceHandle = hInstance;
        pState->m_hCurrentResourceHandle = hInstance;
        pState->m_pCurrentWinApp = NULL;
        pState->m_bDLL = hInstance != ProgramInstance();
        pState->m_bAppInitialized = FALSE;
    }
    return pState;
}

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState()
{
    static AFX_MODULE_STATE* pProgram = AfxGetModuleStateForInstance(ProgramInstance());
    return pProgram;
}

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    afxcore::ThreadState& state = State();
    if (!state.moduleStack.empty())
        return state.moduleStack.back();
    return AfxGetAppModuleState();
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState) : m_bPushed(FALSE)
{
    if (pNewState == NULL)
        return;
    State().moduleStack.push_back(pNewState);
    m_bPushed = TRUE;
    InitializeLibraryApp(pNewState);
}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2()
{
    if (!m_bPushed)
        return;
    afxcore::ThreadState& state = State();
    if (!state.moduleStack.empty())
        state.moduleStack.pop_back();
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    if (::FindResource(hInst, lpszName, lpszType) != NULL)
        return hInst;
    HINSTANCE hProgram = AfxGetAppModuleState()->m_hCurrentResourceHandle;
    if (hProgram != hInst && ::FindResource(hProgram, lpszName, lpszType) != NULL)
        return hProgram;
    return hInst;
}

CWinApp* AFXAPI AfxGetApp()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (pState->m_pCurrentWinApp != NULL)
        return pState->m_pCurrentWinApp;
    return AfxGetAppModuleState()->m_pCurrentWinApp;
}

CWinThread* AFXAPI AfxGetThread()
{
    afxcore::ThreadState& state = State();
    if (state.currentThread != NULL)
        return state.currentThread;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_nThreadID == ::GetCurrentThreadId())
        return pApp;
    return NULL;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL) {
        if (pApp->m_pszAppName == NULL)
            pApp->SetDerivedNames();
        if (pApp->m_pszAppName != NULL)
            return pApp->m_pszAppName;
    }
    // No application object (a console test program): the program file's name.
    static char s_name[MAX_PATH];
    if (s_name[0] == '\0') {
        char path[MAX_PATH];
        DWORD length = ::GetModuleFileNameA(NULL, path, MAX_PATH);
        path[length < MAX_PATH ? length : MAX_PATH - 1] = '\0';
        const char* base = strrchr(path, '\\');
        base = base != NULL ? base + 1 : path;
        lstrcpynA(s_name, base, MAX_PATH);
        char* dot = strrchr(s_name, '.');
        if (dot != NULL)
            *dot = '\0';
    }
    return s_name;
}
