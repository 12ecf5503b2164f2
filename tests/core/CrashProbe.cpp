// A program that installs the crash handler and then fails in the way its argument names.
// The crash-handler test runs it and looks at its exit code and its dump file.
#include "CrashHandler.h"

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <new>
#include <stdexcept>

// Results go here, so the compiler cannot leave the failing operation out.
volatile int g_sink = 0;

struct Shape;
Shape* volatile g_shapeUnderConstruction = nullptr;
int AreaOfShapeUnderConstruction();

struct Shape
{
    // Asks for the area before Square exists: the call reaches the pure Area().
    Shape()
    {
        g_shapeUnderConstruction = this;
        g_sink = AreaOfShapeUnderConstruction();
    }
    virtual ~Shape() {}
    virtual int Area() = 0;
};

struct Square : Shape
{
    int Area() override { return 4; }
};

// Out of line, with external linkage and through a volatile pointer, so the compiler can
// neither see the dynamic type nor know every class that overrides Area().
__attribute__((noinline)) int AreaOfShapeUnderConstruction()
{
    return g_shapeUnderConstruction->Area();
}

namespace {

volatile int* volatile g_nowhere = nullptr;
volatile size_t g_hugeSize = static_cast<size_t>(-1) / 2;
volatile int g_zero = 0;
char* volatile g_block = nullptr;

int Fail(const char* mode)
{
    if (strcmp(mode, "null") == 0)
        return *g_nowhere;
    if (strcmp(mode, "pure-virtual") == 0)
    {
        Square square;
        return square.Area();
    }
    if (strcmp(mode, "new") == 0)
    {
        g_block = new char[g_hugeSize];
        return 0;
    }
    if (strcmp(mode, "abort") == 0)
        abort();
    if (strcmp(mode, "terminate") == 0)
        throw std::runtime_error("nobody catches this");
    if (strcmp(mode, "sigint") == 0)
        return raise(SIGINT);
    if (strcmp(mode, "divide") == 0)
        g_sink = 7 / g_zero;
    return 0;   // unknown mode: a clean exit
}

}  // namespace

int main(int argc, char** argv)
{
    g_crashHandler.SetProcessExceptionHandlers();
    g_crashHandler.SetThreadExceptionHandlers();
    g_sink = Fail(argc > 1 ? argv[1] : "");
    return 0;
}
