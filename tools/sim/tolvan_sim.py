#!/usr/bin/env python3
"""Starts the loopback simulator of the broker's servers (see README.md beside this file).

    python3 tools/sim/tolvan_sim.py [--ports 0] [--manual-ticks] [--config FILE] ...

Prints one line "SIM READY {...ports...}" on standard output once every port is open.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from tolvansim.app import main  # noqa: E402

if __name__ == "__main__":
    sys.exit(main())
