// The application object of the chart-host tests.
#include <afxwin.h>
#include <testsupport/TestApp.h>

namespace {
tolvan::test::TestApp theApp("HostsTest");
}
