#include "testsupport/SimulatorSuite.h"
#include "testsupport/TestApp.h"

namespace tolvan::test {

std::unique_ptr<SimulatorProcess> SimulatorSuite::s_sim;
bool SimulatorSuite::s_started = false;

void SimulatorSuite::SetUpTestSuite()
{
    ParkPointer();
    s_sim.reset(new SimulatorProcess);
    s_started = s_sim->Start();
}

void SimulatorSuite::TearDownTestSuite()
{
    s_sim.reset();
    s_started = false;
}

void SimulatorSuite::ResetSimulator(const char* kind)
{
    ASSERT_TRUE(s_started && s_sim->Port(kind) > 0) << "the simulator did not start";
    ASSERT_EQ("OK", s_sim->Control("reset"));
}

void SimulatorSuite::TearDown()
{
    if (s_started)
    {
        EXPECT_EQ("OK []", s_sim->Control("refusals"))
            << "the simulator refused requests that are not in the terminal's form";
    }
}

}  // namespace tolvan::test
