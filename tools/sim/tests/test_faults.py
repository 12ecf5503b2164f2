"""Scripted faults: framings, split sends, stalls, SameLogin, garbage, drops, refusals."""

import socket
import unittest

from simtest import SimHost, WireClient, connect
from tolvansim.wire import CARET, HASH, awkward_split_point, encode, frame


class FaultTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.host = SimHost().start()

    @classmethod
    def tearDownClass(cls):
        cls.host.stop()

    def setUp(self):
        self.host.ok("reset")
        self.query, _ = connect(self.host, "query", "80001")

    def tearDown(self):
        self.query.close()

    def summary_bytes(self):
        """The record that "querysummary@" is answered with right now."""
        account = self.host.sim.broker.account("80001")
        from tolvansim import records
        return encode(records.summary(account.summary(self.host.sim.market)))

    def read_exactly(self, client, size):
        data = b""
        while len(data) < size:
            chunk = client.read_chunk()
            self.assertTrue(chunk, "connection closed early")
            data += chunk
        return data

    def wait_request_seen(self, text):
        self.host.wait_until(lambda: text in self.host.ok("requests query 5"), "request " + text)

    def test_both_framings(self):
        for framing in (CARET, HASH):
            with self.subTest(framing):
                self.host.ok("framing query " + framing)
                self.query.send("querysummary@")
                expected = frame(self.summary_bytes(), framing)
                self.assertEqual(self.read_exactly(self.query, len(expected)), expected)

    def test_split_hold_sends_the_first_part_only(self):
        for framing in (CARET, HASH):
            with self.subTest(framing):
                self.host.ok("framing query " + framing)
                self.host.ok("split query hold")
                self.query.send("querysummary@")
                expected = frame(self.summary_bytes(), framing)
                cut = awkward_split_point(expected, framing)
                self.assertEqual(self.read_exactly(self.query, cut), expected[:cut])
                self.assertEqual(self.query.decoder.feed(expected[:cut]), [])
                self.assertTrue(self.query.nothing_waiting())
                self.host.ok("split query off")
                self.host.ok("stall query off")
                self.assertEqual(self.read_exactly(self.query, len(expected) - cut), expected[cut:])
                self.query.decoder.buffer.clear()

    def test_split_on_reassembles(self):
        self.host.ok("framing query caret")
        self.host.ok("split query on 7")
        self.query.chunks.clear()
        self.query.send("querysummary@")
        self.assertTrue(self.query.next_message().startswith("SummaryResult@"))
        if len(self.query.chunks) > 1:   # unless a slow reader took both parts at once
            self.assertEqual(len(self.query.chunks[0]), 7, "the first send stops at the offset")

    def test_stall_holds_replies_until_released(self):
        self.host.ok("stall query on")
        self.query.send("querysummary@")
        self.wait_request_seen("querysummary@")
        self.assertTrue(self.query.nothing_waiting())
        self.host.ok("stall query off")
        self.assertTrue(self.query.next_message().startswith("SummaryResult@"))

    def test_server_pushes(self):
        cases = [
            ("samelogin query", "SameLogin"),
            ("update query", "loginresult@status:-2"),
            ("send query OrderInfo@oid:1#@", "OrderInfo@oid:1#@"),
        ]
        for command, text in cases:
            with self.subTest(command):
                self.assertEqual(self.host.ok(command), "1")
                self.assertIn(text, self.query.next_message())

    def test_garbage_is_dropped_by_the_framing(self):
        self.host.ok("garbage query")
        garbage = self.query.read_chunk()
        self.assertEqual(self.query.decoder.feed(garbage), [])
        self.assertEqual(self.query.decoder.discarded, len(garbage))
        self.host.ok("samelogin query")
        self.assertEqual(self.query.next_message(), "SameLogin@#@")

    def test_drop(self):
        cases = [("drop query", ("closed",)), ("drop query reset", ("reset", "closed"))]
        for command, outcomes in cases:
            with self.subTest(command):
                client, _ = connect(self.host, "query", "80001")
                self.host.ok(command)
                self.assertIn(client.wait_closed(), outcomes)
                client.close()

    def test_drop_at_a_request(self):
        # Before: the order is never carried out; after: its answer arrives, then the close.
        # Either way only the next such request drops, and reset forgets the switch.
        for when in ("", " after"):
            with self.subTest(when or "before"):
                self.host.ok("reset")
                self.host.ok("dropat trade neworder" + when)
                trade, _ = connect(self.host, "trade", "80001")
                trade.send("queryposition@")  # another command: no drop
                trade.send("neworder@XAUUSD||100|B|M|77|")
                if when:
                    self.assertIn("cid:77", trade.wait_for("OrderInfo@"))
                self.assertIn(trade.wait_closed(), ("closed", "reset"))
                trade.close()
                cids = [order["cid"] for order in self.host.ok("orders 80001")]
                self.assertEqual(bool(when), "77" in cids)
                trade, _ = connect(self.host, "trade", "80001")
                trade.send("neworder@XAUUSD||100|B|M|78|")
                self.assertIn("cid:78", trade.wait_for("OrderInfo@"))
                trade.close()
        self.host.ok("dropat trade neworder")
        self.host.ok("reset")
        self.assertIsNone(self.host.ok("status")["faults"]["trade"]["drop_at"])

    def test_denied_requests_are_answered_status_minus_one(self):
        self.host.ok("reset")
        trade, _ = connect(self.host, "trade", "80001")
        self.host.ok("deny trade neworder 1")
        trade.send("neworder@XAUUSD||100|B|M|91|")
        self.assertEqual("status:-1#@", trade.next_message())
        self.assertNotIn("91", [order["cid"] for order in self.host.ok("orders 80001")])
        trade.send("neworder@XAUUSD||100|B|M|92|")
        self.assertIn("cid:92", trade.wait_for("OrderInfo@"))
        # A refused cancel leaves the order open.
        self.host.ok("deny trade cancleorder on")
        trade.send("neworder@XAUUSD|1000.00|100|B|L|93|")
        oid = trade.wait_for("st:Submitted").split("oid:")[1].split("#")[0]
        trade.send("cancleorder@" + oid)
        self.assertEqual("status:-1#@", trade.wait_for("status:"))
        states = {order["oid"]: order["state"] for order in self.host.ok("orders 80001")}
        self.assertEqual("Submitted", states[int(oid)] if int(oid) in states else states.get(oid))
        trade.close()
        for command in ("deny trade neworder 0", "deny trade neworder", "dropat trade neworder later"):
            self.assertTrue(self.host.control(command).startswith("ERR "), command)

    def test_refused_logins(self):
        self.host.ok("refuse trade on")
        client, reply = connect(self.host, "trade", "80001")
        client.close()
        self.assertIn("status:-1", reply)
        self.host.ok("refuse trade off")
        client, reply = connect(self.host, "trade", "80001")
        client.close()
        self.assertIn("status:1", reply)

    def test_control_errors_are_answers(self):
        for command in ("bogus", "split nowhere on", "set price NOPE 1", "fill 1", "tick -x",
                        "sendraw query zz", "framing query morse"):
            with self.subTest(command):
                self.assertTrue(self.host.control(command).startswith("ERR "), command)

    def test_request_log(self):
        self.host.ok("clear requests")
        self.query.send("querystateorders@6#queryposition@")
        self.host.wait_until(lambda: self.host.ok("requests query") == [
            "querystateorders@6#", "queryposition@"], "both requests logged")


class LoginPortFaultTest(unittest.TestCase):
    def test_request_before_login_is_ignored_and_the_socket_stays(self):
        host = SimHost().start()
        try:
            client = WireClient(host.ports["trade"])
            client.send("queryposition@")
            host.wait_until(lambda: host.ok("requests trade") == ["queryposition@"], "request")
            self.assertTrue(client.nothing_waiting())
            client.sock.shutdown(socket.SHUT_WR)
            self.assertEqual(client.wait_closed(), "closed")
            client.close()
        finally:
            host.stop()


if __name__ == "__main__":
    unittest.main()
