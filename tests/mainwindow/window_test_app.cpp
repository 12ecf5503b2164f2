// The application object and the common controls of the main window's window tests. Each
// test program names its application with TOLVAN_TEST_APP_NAME.
#include <afxwin.h>
#include <commctrl.h>

#include <testsupport/TestApp.h>

#include <gtest/gtest.h>

namespace {

tolvan::test::TestApp theApp(TOLVAN_TEST_APP_NAME);

class ControlsEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls = { sizeof(controls), ICC_WIN95_CLASSES };
        ::InitCommonControlsEx(&controls);
    }
};

::testing::Environment* const controlsEnvironment =
    ::testing::AddGlobalTestEnvironment(new ControlsEnvironment);

}  // namespace
