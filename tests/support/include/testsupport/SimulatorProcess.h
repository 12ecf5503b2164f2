// The broker simulator (tools/sim/tolvan_sim.py) as a Linux process beside a test under
// Wine, started through "start /unix" with a clock fixed at 2024-06-14 10:30:00 and manual
// ticks. It is told to quit when this object goes, and ends by itself after ten minutes
// should the test die first.
#pragma once

#include <string>

namespace tolvan::test {

class SimulatorProcess {
public:
    // Runs the simulator of the source tree this library was built from.
    SimulatorProcess();
    // Sends "quit" when the simulator came up.
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Starts the simulator and waits (pumping messages) for its ready line. True once it
    // answers on a control port; a test checks the ports of the services it uses.
    bool Start();

    // One line to the control port and its one-line answer ("" when nothing answers).
    std::string Control(const std::string& command);

    // The port of a service ("login", "trade", "http", "control", ...) named in the ready
    // line; 0 when it is not there.
    int Port(const char* kind) const;

private:
    std::string m_readyLine;
    int m_control = 0;
};

}  // namespace tolvan::test
