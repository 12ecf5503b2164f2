// Turns every fatal condition of the process into a minidump "crashdump.dmp" in the
// current directory and ends the process with exit code 1: unhandled structured
// exceptions, pure virtual calls, allocation failures, invalid C run-time parameters,
// abort, terminate and the fatal signals.
#pragma once
#include <afx.h>

class CCrashHandler
{
public:
    virtual ~CCrashHandler() {}

    // Handlers that hold for the whole process; install once at start-up.
    void SetProcessExceptionHandlers();
    // Handlers the C run-time keeps per thread (the fatal signals SIGFPE, SIGILL, SIGSEGV)
    // and the C++ run-time's terminate and unexpected handlers.
    void SetThreadExceptionHandlers();

    // Writes the dump for the given exception; any failure is skipped silently.
    static void WriteCrashDump(EXCEPTION_POINTERS* pExceptionPointers);

    static const char* DumpFileName() { return "crashdump.dmp"; }
};

// The process-wide crash handler.
extern CCrashHandler g_crashHandler;
