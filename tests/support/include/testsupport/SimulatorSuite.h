// A test suite that shares one simulator among its tests: started once for the suite,
// reset before every test. The simulator takes requests only in the terminal's exact form;
// a test fails when the simulator refused one of its requests for its form. Suites that
// override TearDown call SimulatorSuite::TearDown last.
#pragma once

#include <memory>

#include <gtest/gtest.h>

#include "testsupport/SimulatorProcess.h"

namespace tolvan::test {

class SimulatorSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

    // Fails the test unless the simulator came up with the service `kind`; then resets it.
    // Callers return when it failed (ASSERT_NO_FATAL_FAILURE).
    static void ResetSimulator(const char* kind);

    void TearDown() override;

    static std::unique_ptr<SimulatorProcess> s_sim;

private:
    static bool s_started;
};

}  // namespace tolvan::test
