// The application object and the common controls of the quote board tests.
#include <afxwin.h>
#include <commctrl.h>

#include <testsupport/TestApp.h>

#include <gtest/gtest.h>

namespace {

tolvan::test::TestApp theApp("BoardTest");

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
