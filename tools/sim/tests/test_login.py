"""First login, the server list, mark logins and the fall-back login."""

import unittest

from simtest import (SimHost, SimHostCase, WireClient, connect, first_login, login_request,
                     mark_login_request, parse_login_reply)
from tolvansim.wire import md5_hex


class LoginTest(SimHostCase):

    def _login(self, text):
        client = WireClient(self.host.ports["login"])
        self.clients.append(client)
        client.send(text)
        return client.wait_for("loginresult@")

    def test_first_login_accepted_or_refused(self):
        cases = [
            ("accepted", login_request("80001", "a123456"), "loginresult@status:1"),
            ("accepted with a range", login_request("80001", "a123456", "KQZTWXBNPL4M"),
             "loginresult@status:1"),
            ("wrong password", login_request("80001", "a1234567"), "loginresult@status:-1"),
            ("unknown user", login_request("12345", "a123456"), "loginresult@status:-1"),
            ("digest of the plain password", "login@uName:80001#uPwd:%s#@" % md5_hex("a123456"),
             "loginresult@status:-1"),
        ]
        for name, text, status in cases:
            with self.subTest(name):
                reply = self._login(text)
                self.assertTrue(reply.startswith(status + "#"), reply)
                if status.endswith(":1"):
                    self.assertTrue(reply.endswith("&#@"), "the terminal waits for '&#@'")

    def test_server_list_points_at_the_simulator(self):
        ports = self.host.ports
        cases = [
            ("80001", {"1", "2", "3", "4"}),
            ("90001", {"1", "2", "3", "4", "5", "6"}),
            ("6072", {"1", "2"}),
        ]
        for user, types in cases:
            with self.subTest(user):
                client, reply = first_login(self.host, user)
                self.clients.append(client)
                fields, entries = parse_login_reply(reply)
                for key in ("mark", "code", "trademark", "loginrange", "nikename", "name"):
                    self.assertIn(key, fields)
                self.assertEqual(fields["mark"], self.host.sim.mark_of(user))
                self.assertEqual({entry[6] for entry in entries}, types)
                for entry in entries:
                    self.assertEqual(len(entry), 10, "servers send ten fields")
                    self.assertEqual(entry[3], "127.0.0.1")
                    kind = {"1": "quote", "2": "depth", "3": "trade", "4": "query",
                            "5": "proxytrade", "6": "proxyquery"}[entry[6]]
                    self.assertEqual(int(entry[4]), ports[kind])
                named = {entry[6]: entry[0] for entry in entries if entry[6] in "3456"}
                expected = {"3": "TRADE", "4": "QUERY", "5": "PROXYTRADE", "6": "PROXYQUERY"}
                self.assertEqual(named, {t: expected[t] for t in named})
                depth_names = {entry[0] for entry in entries if entry[6] == "2"}
                self.assertIn("XAUUSD", depth_names)
                quote_names = {entry[0] for entry in entries if entry[6] == "1"}
                self.assertEqual(quote_names, {"FEC", "CL", "GC", "SI"})

    def test_nickname_travels_in_gbk(self):
        client, reply = first_login(self.host, "80001")
        self.clients.append(client)
        self.assertEqual(parse_login_reply(reply)[0]["nikename"], "张伟")

    def test_mark_logins(self):
        cases = [
            ("trade", "80001", "TRD", True),
            ("query", "80001", "QRY", True),
            ("quote", "80001", "FEC", True),
            ("depth", "80001", "XAUUSD", True),
            ("proxytrade", "90001", "PTRD", True),
            ("proxytrade", "80001", "PTRD", False),
            ("trade", "6072", "TRD", False),
            ("trade", "80001", "QRY", False),
            ("trade", "80001", "TRD&FEC", False),
            ("quote", "80001", "NOSUCH", False),
            ("depth", "80001", "NOSUCH", False),
        ]
        for kind, user, login_range, accepted in cases:
            with self.subTest(kind=kind, user=user, range=login_range):
                client, reply = connect(self.host, kind, user, login_range)
                self.clients.append(client)
                if accepted:
                    self.assertIn("status:1", reply)
                    self.assertIn("#name:%s" % user, reply)
                else:
                    self.assertIn("status:-1", reply)

    def test_mark_login_with_a_wrong_digest_is_refused(self):
        client = WireClient(self.host.ports["trade"])
        self.clients.append(client)
        good = mark_login_request(self.host, "80001", "TRD")
        client.send(good.replace("login@mark:", "login@mark:0"))
        self.assertIn("status:-1", client.wait_for("loginresult@"))

    def test_quote_login_brings_contracts_and_prices(self):
        client, reply = connect(self.host, "quote", "80001", "FEC")
        self.clients.append(client)
        self.assertIn("opentime:", reply)
        self.assertIn("stoptime:", reply)
        contracts = client.wait_for("contractlist")
        self.assertIn("[contractlist|FEC|外汇现货-IDEALPRO]", contracts)
        self.assertIn("[XAUUSD|伦敦金|2|IDEALPRO]", contracts)
        self.assertNotIn("[CL|", contracts)
        snapshot = client.wait_for("[XAUUSD][lP=")
        for key in ("openPrice=", "closePrice=", "highPrice=", "lowPrice=", "bP=", "aP=",
                    "bS=", "aS=", "volume="):
            self.assertIn("[XAUUSD][" + key, snapshot)
        changed = self.host.ok("tick EURUSD")
        self.assertEqual(changed, ["EURUSD"])
        tick = client.wait_for("[EURUSD][lP=")
        self.assertNotIn("XAUUSD", tick)

    def test_depth_login_brings_five_levels(self):
        client, _ = connect(self.host, "depth", "80001", "XAUUSD")
        self.clients.append(client)
        book = client.next_message()
        changes = [change for change in book.split("@") if change.startswith("[")]
        self.assertEqual(len(changes), 10)
        levels = {(fields[0], fields[2]) for fields in
                  (change.strip("[]").split("][") for change in changes)}
        self.assertEqual(levels, {(str(level), side) for level in range(5) for side in "12"})
        self.host.ok("tick XAUUSD")
        self.assertTrue(client.next_message().startswith("[0][1][1]["))

    def test_fall_back_login_serves_the_named_server(self):
        client = WireClient(self.host.ports["login"])
        self.clients.append(client)
        client.send(login_request("80001", "a123456", "KQZTWXBNPL4M", contract="TRADE"))
        reply = client.wait_for("loginresult@")
        fields, entries = parse_login_reply(reply)
        self.assertEqual(entries[0][0], "TRADE")
        self.assertEqual(fields["loginrange"], "KQZTWXBNPL4M")
        # The terminal keeps this socket as its trading connection.
        client.send("querysummary@")
        values = client.wait_for("SummaryResult@").split("@")[1].split("#")
        self.assertEqual(len(values), 8, "seven values and the closing '#'")

    def test_password_change_applies_to_later_logins(self):
        client, _ = connect(self.host, "query", "80001")
        self.clients.append(client)
        cases = [
            ("wrong current", md5_hex("nope"), md5_hex("newpass1"), "-2"),
            ("malformed new", md5_hex("a123456"), "xyz", "-1"),
            ("changed", md5_hex("a123456"), md5_hex("newpass1"), "1"),
        ]
        for name, current, new, code in cases:
            with self.subTest(name):
                client.send("editpwd@%s#%s#" % (current, new))
                reply = client.wait_for("EditPwdResult@")
                self.assertEqual(reply.split("@")[1].split("#")[0], code)
        self.assertIn("status:-1", self._login(login_request("80001", "a123456")))
        self.assertIn("status:1", self._login(login_request("80001", "newpass1")))


if __name__ == "__main__":
    unittest.main()


class AutomaticTickTest(unittest.TestCase):
    def test_ticks_flow_without_commands(self):
        host = SimHost(manual_ticks=False, tick_ms=20).start()
        try:
            client, _ = connect(host, "quote", "80001", "FEC")
            client.wait_for("contractlist")
            client.wait_for("][lP=")          # the snapshot
            tick = client.wait_for("][lP=")   # a tick of the clock
            self.assertNotIn("openPrice=", tick)
            client.close()
        finally:
            host.stop()
