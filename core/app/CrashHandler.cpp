#include "CrashHandler.h"

#include <dbghelp.h>
#include <exception>
#include <new>
#include <signal.h>
#include <stdlib.h>

CCrashHandler g_crashHandler;

namespace {

typedef BOOL(WINAPI* MiniDumpWriteDumpProc)(HANDLE hProcess, DWORD dwProcessId, HANDLE hFile,
                                            MINIDUMP_TYPE dumpType,
                                            PMINIDUMP_EXCEPTION_INFORMATION pException,
                                            PMINIDUMP_USER_STREAM_INFORMATION pUserStream,
                                            PMINIDUMP_CALLBACK_INFORMATION pCallback);

// Writes the dump and ends the process; never returns to the failing code.
[[noreturn]] void DumpAndTerminate(EXCEPTION_POINTERS* pExceptionPointers)
{
    CCrashHandler::WriteCrashDump(pExceptionPointers);
    ::TerminateProcess(::GetCurrentProcess(), 1);
    for (;;)
        ::ExitProcess(1);   // not reached: TerminateProcess does not return for ourselves
}

// Handlers without an exception of their own describe the current thread: an exception
// record with code 0 at the handler's return address and the thread's control registers.
[[noreturn]] __attribute__((noinline)) void DumpCurrentThreadAndTerminate(void* pReturnAddress)
{
    static EXCEPTION_RECORD record;
    static CONTEXT context;
    ZeroMemory(&record, sizeof(record));
    ZeroMemory(&context, sizeof(context));
    ::RtlCaptureContext(&context);
    context.ContextFlags = CONTEXT_CONTROL;
    record.ExceptionCode = 0;
    record.ExceptionAddress = pReturnAddress;
    EXCEPTION_POINTERS pointers = {&record, &context};
    DumpAndTerminate(&pointers);
}

#define DUMP_CURRENT_THREAD() DumpCurrentThreadAndTerminate(__builtin_return_address(0))

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pExceptionPointers)
{
    DumpAndTerminate(pExceptionPointers);
}

void __cdecl OnPureCall()
{
    DUMP_CURRENT_THREAD();
}

// g++ code reports a failed allocation through the C++ library's new handler.
void OnNewFailure()
{
    DUMP_CURRENT_THREAD();
}

void __cdecl OnInvalidParameter(const wchar_t*, const wchar_t*, const wchar_t*, unsigned int, uintptr_t)
{
    DUMP_CURRENT_THREAD();
}

void OnTerminate()
{
    DUMP_CURRENT_THREAD();
}

void OnUnexpected()
{
    DUMP_CURRENT_THREAD();
}

void __cdecl OnSignalWithoutException(int)
{
    DUMP_CURRENT_THREAD();
}

// SIGFPE and SIGSEGV come from a structured exception whose pointers the run-time keeps.
void __cdecl OnSignalWithException(int)
{
    EXCEPTION_POINTERS* pPointers = static_cast<EXCEPTION_POINTERS*>(_pxcptinfoptrs);
    if (pPointers == nullptr || pPointers->ExceptionRecord == nullptr)
        DUMP_CURRENT_THREAD();
    DumpAndTerminate(pPointers);
}

}  // namespace

void CCrashHandler::SetProcessExceptionHandlers()
{
    ::SetUnhandledExceptionFilter(OnUnhandledException);
    _set_purecall_handler(OnPureCall);
    std::set_new_handler(OnNewFailure);
    _set_invalid_parameter_handler(OnInvalidParameter);
    // The shared C run-time of this program has no abort-behaviour switch; abort raises
    // SIGABRT, which the handler below turns into a dump.
    signal(SIGABRT, OnSignalWithoutException);
    signal(SIGINT, OnSignalWithoutException);
    signal(SIGTERM, OnSignalWithoutException);
}

void CCrashHandler::SetThreadExceptionHandlers()
{
    // g++ routes a pure virtual call through std::terminate, so the terminate handler also
    // covers what the pure-call handler covers for other compilers.
    std::set_terminate(OnTerminate);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    std::set_unexpected(OnUnexpected);
#pragma GCC diagnostic pop
    signal(SIGFPE, OnSignalWithException);
    signal(SIGILL, OnSignalWithoutException);
    signal(SIGSEGV, OnSignalWithException);
}

void CCrashHandler::WriteCrashDump(EXCEPTION_POINTERS* pExceptionPointers)
{
    HMODULE hDbgHelp = ::LoadLibraryA("dbghelp.dll");
    if (hDbgHelp == NULL)
        return;

    HANDLE hFile = ::CreateFileA(DumpFileName(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        ::FreeLibrary(hDbgHelp);
        return;
    }

    MINIDUMP_EXCEPTION_INFORMATION info;
    info.ThreadId = ::GetCurrentThreadId();
    info.ExceptionPointers = pExceptionPointers;
    info.ClientPointers = FALSE;

    MiniDumpWriteDumpProc pWriteDump =
        reinterpret_cast<MiniDumpWriteDumpProc>(reinterpret_cast<void (*)()>(::GetProcAddress(hDbgHelp, "MiniDumpWriteDump")));
    if (pWriteDump != nullptr)
        pWriteDump(::GetCurrentProcess(), ::GetCurrentProcessId(), hFile, MiniDumpNormal, &info,
                   nullptr, nullptr);
    ::CloseHandle(hFile);
    ::FreeLibrary(hDbgHelp);
}
