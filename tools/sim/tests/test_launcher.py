"""The launcher's ready line and control, and the checks of settings files."""

import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import unittest

from simtest import DEADLINE, HOST, SIM_DIR
from tolvansim.app import build_config
from tolvansim.config import PORT_KINDS, ConfigError

LAUNCHER = os.path.join(SIM_DIR, "tolvan_sim.py")


def read_line(stream):
    """One line of a pipe, or "" when none came within the deadline."""
    lines = []
    reader = threading.Thread(target=lambda: lines.append(stream.readline()), daemon=True)
    reader.start()
    reader.join(DEADLINE)
    return lines[0] if lines else ""


class LauncherTest(unittest.TestCase):
    def test_ready_line_control_and_quit(self):
        process = subprocess.Popen([sys.executable, LAUNCHER, "--ports", "0", "--manual-ticks",
                                    "--log-level", "WARNING"],
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        try:
            line = read_line(process.stdout)
            self.assertTrue(line.startswith("SIM READY "), line)
            ports = json.loads(line[len("SIM READY "):])
            self.assertEqual(set(ports), set(PORT_KINDS))
            with socket.create_connection((HOST, ports["control"]), timeout=DEADLINE) as control:
                answers = control.makefile("rb")
                control.sendall(b"ports\n")
                self.assertEqual(json.loads(answers.readline()[3:]), ports)
                control.sendall(b"quit\n")
                self.assertEqual(answers.readline(), b"OK bye\n")
            self.assertEqual(process.wait(DEADLINE), 0)
        finally:
            if process.poll() is None:
                process.kill()
                process.wait(DEADLINE)
            process.stdout.close()
            process.stderr.close()

    def test_stdin_control_ready_file_and_http_stub(self):
        folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, folder, True)
        ready_file = os.path.join(folder, "ready")
        process = subprocess.Popen([sys.executable, LAUNCHER, "--ports", "0", "--stdin-control",
                                    "--ready-file", ready_file, "--max-seconds", "300",
                                    "--log-level", "WARNING"],
                                   stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE, text=True)
        try:
            line = read_line(process.stdout)
            with open(ready_file, encoding="ascii") as handle:
                self.assertEqual(handle.read(), line)
            ports = json.loads(line[len("SIM READY "):])
            with socket.create_connection((HOST, ports["http"]), timeout=DEADLINE) as http:
                http.sendall(b"POST /quote HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\n\r\nabc")
                self.assertTrue(http.makefile("rb").readline().startswith(b"HTTP/1.1 404 "))
            process.stdin.write("set price XAUUSD 2400\n")
            process.stdin.flush()
            self.assertEqual(read_line(process.stdout), "OK 2400.00\n")
            process.stdin.close()   # the end of the input ends the simulator
            self.assertEqual(process.wait(DEADLINE), 0)
        finally:
            if process.poll() is None:
                process.kill()
                process.wait(DEADLINE)
            for stream in (process.stdin, process.stdout, process.stderr):
                stream.close()


class SettingsTest(unittest.TestCase):
    def write(self, suffix, text):
        handle = tempfile.NamedTemporaryFile("w", suffix=suffix, delete=False, encoding="utf-8")
        handle.write(text)
        handle.close()
        self.addCleanup(os.unlink, handle.name)
        return handle.name

    def test_ini_and_json_files(self):
        ini = self.write(".ini", "[sim]\nseed = 7\nmanual_ticks = yes\n[ports]\nlogin = 6000\n"
                                 "[account 70001]\npassword = pw\nnickname = 陈静\ncash = 1000\n")
        config, _ = build_config(["--config", ini])
        self.assertEqual((config["seed"], config["manual_ticks"], config["ports"]["login"]),
                         (7, True, 6000))
        self.assertEqual(config["ports"]["trade"], 5170)
        self.assertEqual([account["user"] for account in config["accounts"]], ["70001"])
        self.assertEqual(config["accounts"][0]["nickname"], "陈静")

        path = self.write(".json", json.dumps({"tick_ms": 250, "framing": "caret"}))
        config, _ = build_config(["--config", path, "--ports", "trade=0", "--seed", "3"])
        self.assertEqual((config["tick_ms"], config["framing"]["login"], config["ports"]["trade"],
                          config["seed"]), (250, "caret", 0, 3))

    def test_bad_settings_are_refused_with_a_reason(self):
        cases = [
            ("remote host", {"host": "10.1.2.3"}, "loopback"),
            ("unknown position code", {"accounts": [{"user": "1", "password": "p",
                                                     "positions": [{"code": "NOPE", "qty": 1, "price": 1}]}]},
             "unknown code"),
            ("delimiter in a name", {"accounts": [{"user": "1", "password": "p", "nickname": "丂"}]},
             "delimiter"),
            ("bad framing", {"framing": {"quote": "morse"}}, "framing"),
        ]
        for name, settings, reason in cases:
            with self.subTest(name):
                path = self.write(".json", json.dumps(settings))
                with self.assertRaises(ConfigError) as caught:
                    build_config(["--config", path])
                self.assertIn(reason, str(caught.exception))
        with self.assertRaises(ConfigError):
            build_config(["--config", self.write(".json", "{not json")])
        with self.assertRaises(ConfigError):
            build_config(["--ports", "nowhere=1"])


if __name__ == "__main__":
    unittest.main()
