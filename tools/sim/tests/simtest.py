"""Helpers of the simulator's tests: an in-process simulator and a terminal-like client.

Every wait is bounded by a generous deadline and ends as soon as its condition holds.
"""

import asyncio
import json
import logging
import os
import socket
import sys
import threading
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SIM_DIR = os.path.dirname(HERE)
if SIM_DIR not in sys.path:
    sys.path.insert(0, SIM_DIR)

from tolvansim import config as configuration  # noqa: E402
from tolvansim.app import Simulator  # noqa: E402
from tolvansim.wire import FrameDecoder, decode, encode, login_digest, mark_digest, md5_hex  # noqa: E402

# Refusals are logged as warnings; the tests read them through the control port instead.
logging.getLogger("tolvansim").addHandler(logging.NullHandler())

DEADLINE = 15.0
HOST = "127.0.0.1"

PASSWORDS = {"80001": "a123456", "90001": "admin888", "80002": "b123456", "6072": "735196"}


def make_config(**overrides):
    config = configuration.default_config()
    config = configuration.merge(config, {"ports": {kind: 0 for kind in configuration.PORT_KINDS},
                                          "manual_ticks": True, "clock": "2024-06-14 10:30:00"})
    return configuration.validate(configuration.merge(config, overrides))


class SimHost:
    """Runs a Simulator on an event loop of its own thread."""

    def __init__(self, **overrides):
        self.config = make_config(**overrides)
        self.sim = None
        self.ports = None
        self._loop = None
        self._thread = None
        self._control = None
        self._control_file = None

    def start(self):
        ready = threading.Event()
        failure = []

        def run():
            self._loop = asyncio.new_event_loop()
            asyncio.set_event_loop(self._loop)
            try:
                self.sim = Simulator(self.config)
                self._loop.run_until_complete(self.sim.start())
                self.ports = dict(self.sim.ports)
            except Exception as error:  # reported to the starting thread
                failure.append(error)
                ready.set()
                return
            ready.set()
            self._loop.run_until_complete(self.sim.run_until_stopped())
            self._loop.close()

        self._thread = threading.Thread(target=run, name="sim", daemon=True)
        self._thread.start()
        if not ready.wait(DEADLINE):
            raise RuntimeError("simulator did not start")
        if failure:
            raise failure[0]
        return self

    def stop(self):
        if self._control is not None:
            self._control.close()
            self._control = None
        if self._loop is not None and self.sim is not None:
            self._loop.call_soon_threadsafe(self.sim.request_stop)
        if self._thread is not None:
            self._thread.join(DEADLINE)

    def control(self, line):
        """Sends one control command and returns its answer line."""
        if self._control is None:
            self._control = socket.create_connection((HOST, self.ports["control"]), timeout=DEADLINE)
            self._control_file = self._control.makefile("rb")
        self._control.sendall(line.encode("utf-8") + b"\n")
        answer = self._control_file.readline().decode("ascii").rstrip("\n")
        return answer

    def ok(self, line):
        answer = self.control(line)
        if not answer.startswith("OK"):
            raise AssertionError("control %r answered %r" % (line, answer))
        payload = answer[3:]
        return json.loads(payload) if payload[:1] in ("{", "[") else payload

    def wait_until(self, probe, what):
        deadline = time.monotonic() + DEADLINE
        while time.monotonic() < deadline:
            result = probe()
            if result:
                return result
            time.sleep(0.01)
        raise AssertionError("timed out waiting for " + what)


class WireClient:
    """A connection that frames received bytes exactly as the terminal does."""

    def __init__(self, port):
        self.sock = socket.create_connection((HOST, port), timeout=DEADLINE)
        self.decoder = FrameDecoder()
        self.pending = []
        self.chunks = []

    def close(self):
        self.sock.close()

    def send(self, text):
        self.sock.sendall(encode(text))

    def read_chunk(self, timeout=DEADLINE):
        self.sock.settimeout(timeout)
        data = self.sock.recv(65536)
        self.chunks.append(data)
        return data

    def next_message(self, timeout=DEADLINE):
        deadline = time.monotonic() + timeout
        while not self.pending:
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise AssertionError("no message within %.0f s" % timeout)
            data = self.read_chunk(remaining)
            if not data:
                raise AssertionError("connection closed while waiting for a message")
            self.pending += [decode(message) for message in self.decoder.feed(data)]
        return self.pending.pop(0)

    def wait_for(self, needle, timeout=DEADLINE):
        """The next message that contains needle; earlier messages are skipped."""
        deadline = time.monotonic() + timeout
        while True:
            message = self.next_message(max(0.01, deadline - time.monotonic()))
            if needle in message:
                return message

    def wait_closed(self, timeout=DEADLINE):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            try:
                if not self.read_chunk(deadline - time.monotonic()):
                    return "closed"
            except ConnectionResetError:
                return "reset"
        raise AssertionError("connection still open")

    def nothing_waiting(self):
        self.sock.setblocking(False)
        try:
            return not self.sock.recv(65536, socket.MSG_PEEK)
        except BlockingIOError:
            return True
        finally:
            self.sock.setblocking(True)


def login_request(user, password, login_range="", contract=""):
    text = "login@uName:%s#uPwd:%s" % (user, login_digest(user, md5_hex(password)))
    if contract:
        text += "#uContract:" + contract
    if login_range:
        text += "##uRange:" + login_range if not contract else "#uRange:" + login_range
    return text + "#@"


def parse_login_reply(reply):
    """Fields and server entries of a login reply, read the way the terminal reads them."""
    fields = {}
    part = reply.split("@")[1]
    for piece in part.split("#")[1:]:
        key, _, value = piece.partition(":")
        fields[key] = value
    entries = [entry.split("|") for entry in fields.get("markserver", "").split("&") if entry]
    return fields, entries


def first_login(host, user, password=None):
    client = WireClient(host.ports["login"])
    client.send(login_request(user, password or PASSWORDS[user]))
    reply = client.wait_for("loginresult@")
    return client, reply


def mark_login_request(host, user, login_range, password=None):
    password = password or PASSWORDS[user]
    mark = host.sim.mark_of(user)
    digest = mark_digest(md5_hex(password), mark, login_range)
    return "login@mark:%s#name:%s#loginrange:%s#@" % (digest, user, login_range)


def connect(host, kind, user, login_range=None):
    """A client logged in with "login@mark:" on a server of kind; returns (client, reply)."""
    ranges = {"trade": "TRD", "query": "QRY", "proxytrade": "PTRD", "proxyquery": "PQRY"}
    client = WireClient(host.ports[kind])
    client.send(mark_login_request(host, user, login_range or ranges.get(kind, "")))
    reply = client.wait_for("loginresult@")
    return client, reply


def keyed(record):
    """"Type@a:1#b:2#@" -> {"a": "1", "b": "2"}."""
    body = record.split("@", 1)[1]
    if body.endswith("#@"):
        body = body[:-2]
    values = {}
    for piece in body.split("#"):
        key, colon, value = piece.partition(":")
        if colon:
            values[key] = value
    return values


def list_items(record):
    """Items of a list reply as lists of values; the first value stays "code|name|exchange"."""
    body = record.split("@")[1]
    items = []
    for item in body.split("]"):
        item = item.replace("[", "")
        if item and item != "#":
            items.append(item.split("#"))
    return items


class SimHostCase(unittest.TestCase):
    """One simulator for the class, reset before every test; clients a test opens are
    closed after it (append them to self.clients)."""

    host_options = {}

    @classmethod
    def setUpClass(cls):
        cls.host = SimHost(**cls.host_options).start()

    @classmethod
    def tearDownClass(cls):
        cls.host.stop()

    def setUp(self):
        self.host.ok("reset")
        self.clients = []

    def tearDown(self):
        for client in self.clients:
            client.close()
