"""Every request is taken only in the terminal's exact form: near misses of each form are
refused, answered as the servers answer a bad request (or not at all) and recorded with the
reason, so that a terminal that sends a wrong form fails its test."""

import http.client
import json
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from simtest import (DEADLINE, HOST, SimHost, SimHostCase, WireClient, connect, keyed, login_request,  # noqa: E402
                     mark_login_request)
from test_http_services import HISTORY_SAY, HttpClient  # noqa: E402
from tolvansim import forms  # noqa: E402
from tolvansim.webtoken import TokenCodec  # noqa: E402
from tolvansim.wire import login_digest, md5_hex  # noqa: E402

DIGEST = login_digest("80001", md5_hex("a123456"))


class StrictCase(SimHostCase):
    host_options = dict(csm_stocks=50, hks_stocks=50)

    def refusals(self):
        return self.host.ok("refusals")

    def assert_refused(self, name, accepted):
        refused = self.refusals()
        if accepted:
            self.assertEqual(refused, [], name)
        else:
            self.assertEqual(len(refused), 1, name)
            self.assertTrue(refused[0]["reason"], name)
        self.host.ok("reset")


class LoginFormTest(StrictCase):
    def mark(self, login_range="TRD"):
        return mark_login_request(self.host, "80001", login_range)

    def test_only_the_exact_login_texts_log_in(self):
        digest_upper = DIGEST.upper()
        cases = [
            ("first login", "login", login_request("80001", "a123456"), True),
            ("first login with a range", "login", login_request("80001", "a123456", "K1"), True),
            ("fall-back login", "login", login_request("80001", "a123456", "K1", "TRADE"), True),
            ("fall-back without range", "login", login_request("80001", "a123456", contract="TRADE"), True),
            ("mark login", "trade", self.mark(), True),
            ("upper-case digest", "login", "login@uName:80001#uPwd:%s#@" % digest_upper, False),
            ("range after one '#'", "login", "login@uName:80001#uPwd:%s#uRange:K1#@" % DIGEST, False),
            ("fall-back range after two '#'", "login",
             "login@uName:80001#uPwd:%s#uContract:TRADE##uRange:K1#@" % DIGEST, False),
            ("empty piece", "login", "login@uName:80001##uPwd:%s#@" % DIGEST, False),
            ("keys swapped", "login", "login@uPwd:%s#uName:80001#@" % DIGEST, False),
            ("key in other case", "login", "login@uname:80001#uPwd:%s#@" % DIGEST, False),
            ("blank after the digest", "login", "login@uName:80001#uPwd:%s #@" % DIGEST, False),
            ("short digest", "login", "login@uName:80001#uPwd:%s#@" % DIGEST[:31], False),
            ("user login on a server port", "trade", login_request("80001", "a123456"), False),
            ("mark login on the login port", "login", self.mark(), False),
            ("mark digest in upper case", "trade",
             self.mark().replace(self.mark()[11:43], self.mark()[11:43].upper()), False),
            ("mark keys swapped", "trade",
             "login@name:80001#mark:%s#loginrange:TRD#@" % self.mark()[11:43], False),
            ("mark without the final '#'", "trade", self.mark()[:-2] + "@#@", False),
        ]
        for name, kind, text, accepted in cases:
            with self.subTest(name):
                client = WireClient(self.host.ports[kind])
                self.clients.append(client)
                client.send(text)
                reply = client.wait_for("loginresult@")
                self.assertIn("status:1" if accepted else "status:-1", reply)
                self.assert_refused(name, accepted)


class RequestFormTest(StrictCase):
    def setUp(self):
        super().setUp()
        self.trade, _ = connect(self.host, "trade", "80001")
        self.query, _ = connect(self.host, "query", "80001")
        self.clients += [self.trade, self.query]

    def answers(self, client, text):
        """The type words of what text was answered with: a summary query sent behind it
        marks the end, so a request that is dropped leaves no answer before the marker's."""
        client.send(text)
        client.send("querysummary@")
        words = []
        while True:
            word = client.next_message().split("@")[0]
            if word == "SummaryResult":
                return words
            words.append(word)

    def test_queries_in_another_form_are_dropped(self):
        orders = ["SubmittedOrdersResult"]
        cases = [
            # (name, connection, request, answers, taken as it stands)
            ("state query", "query", "querystateorders@6#", orders, True),
            ("state kind with a zero", "query", "querystateorders@06#", [], False),
            ("state kind with a blank", "query", "querystateorders@ 6#", [], False),
            ("state kind with a sign", "query", "querystateorders@+6#", [], False),
            ("date query", "query", "querydateorders@6#2024-05-01#2024-06-13#1#", orders, True),
            ("dates without dashes", "query", "querydateorders@6#20240501#20240613#1#", [], False),
            ("dates with slashes", "query", "querydateorders@6#2024/05/01#2024/06/13#1#", [], False),
            ("date without leading zeros", "query", "querydateorders@6#2024-5-1#2024-06-13#1#", [], False),
            ("date that does not exist", "query", "querydateorders@6#2024-02-30#2024-06-13#1#", [], False),
            ("page with a zero", "query", "querydateorders@6#2024-05-01#2024-06-13#01#", [], False),
            ("cancel of an unknown order", "trade", "cancleorder@999999", [], True),
            ("cancel id with a blank", "trade", "cancleorder@ 100001", [], False),
            ("cancel id with a '#'", "trade", "cancleorder@100001#", [], False),
            ("bytes after a bare query", "query", "queryposition@#", ["PositionResult"], False),
        ]
        for name, kind, text, answers, accepted in cases:
            with self.subTest(name):
                client = self.trade if kind == "trade" else self.query
                self.assertEqual(self.answers(client, text), answers)
                self.assert_refused(name, accepted)

    def test_tickets_in_another_form_are_refused_as_orders(self):
        cases = [
            ("market order", "neworder@CL||1|B|M|11|", "Submitted"),
            ("limit order", "neworder@CL|70.00|1|B|L|12|", "Submitted"),
            ("price with a blank", "neworder@CL|70.00 |1|B|L|13|", None),
            ("price with an exponent", "neworder@CL|7e1|1|B|L|14|", None),
            ("quantity with a sign", "neworder@CL||+1|B|M|15|", None),
            ("side in lower case", "neworder@CL||1|b|M|16|", None),
            ("side with a blank", "neworder@CL||1| B|M|17|", None),
            ("type in lower case", "neworder@CL||1|B|m|18|", None),
        ]
        for name, text, state in cases:
            with self.subTest(name):
                self.trade.send(text)
                report = keyed(self.trade.wait_for("@cid:%s#" % text.split("|")[-2]))
                self.assertEqual(report["st"], state or "Inactive")
                self.assert_refused(name, state is not None)
        self.trade.send("preneworder@CL||1|b|M|20|")
        self.assertEqual(keyed(self.trade.wait_for("PreOrderInfo@"))["st"], "unablesubmit")
        self.assert_refused("pre-order side in lower case", False)
        # A seventh field is not part of the ticket: it is refused as bytes of no request.
        self.trade.send("neworder@CL||1|B|M|19|x|")
        self.assertEqual(keyed(self.trade.wait_for("@cid:19#"))["st"], "Submitted")
        self.host.wait_until(self.refusals, "the refusal")
        self.assertEqual(self.refusals()[0]["request"], "x|")

    def test_password_digests_must_be_lower_case(self):
        cases = [
            ("upper-case current", md5_hex("a123456").upper(), md5_hex("x1"), "-1", False),
            ("upper-case new", md5_hex("a123456"), md5_hex("x1").upper(), "-1", False),
            ("wrong current", md5_hex("nope"), md5_hex("x1"), "-2", True),
        ]
        for name, current, new, code, accepted in cases:
            with self.subTest(name):
                self.query.send("editpwd@%s#%s#" % (current, new))
                self.assertEqual(self.query.wait_for("EditPwdResult@"), "EditPwdResult@%s#@" % code)
                self.assert_refused(name, accepted)


class HttpFormTest(StrictCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.client = HttpClient(cls.host.ports["http"])
        cls.codec = TokenCodec("xqv~tomr~dne", "000102030405060708090a0b0c0d0e0f")
        cls.token = cls.codec.token()

    def code(self, text):
        return "code=" + self.codec.encrypt(text)

    def test_only_exact_requests_are_served(self):
        token = self.token
        raw_token = token.replace("%3D", "=").replace("%2B", "+").replace("%2F", "/")
        day = '{"date": "20240614", "type": "ASHARE"}'
        kline = "/services/stock/csm/stockKline/"
        history = "/services/historyData?type=600000@SIM@0@%s&sdate=%s&edate=%s"
        cases = [
            # (name, method, path, body, answer when refused: status or a text the body holds)
            ("version", "POST", "/services/stock/csm/version", "token=" + token, None),
            ("version by GET", "GET", "/services/stock/csm/version", "token=" + token, 405),
            ("path in another case", "POST", "/services/stock/CSM/version", "token=" + token, 404),
            ("JSON body", "JSON", "/services/stock/csm/version", "token=" + token, 415),
            ("query on a form service", "POST", "/services/stock/csm/version?x=1", "token=" + token, b'"returnCode": 400'),
            ("token not escaped", "POST", "/services/stock/csm/version", "token=" + raw_token, b'"returnCode": 401'),
            ("token escaped in lower case", "POST", "/services/stock/csm/version",
             "token=" + token.replace("%3D", "%3d"), b'"returnCode": 401'),
            ("token of compact JSON", "POST", "/services/stock/csm/version",
             "token=" + self.codec.encrypt('{"type":"a"}'), b'"returnCode": 401'),
            ("extra field", "POST", "/services/stock/csm/version", "token=%s&x=1" % token, b'"returnCode": 400'),
            ("quotes", "POST", "/services/stock/csm/stockListTimely", "token=%s&codes=600000,600001" % token, None),
            ("quote fields swapped", "POST", "/services/stock/csm/stockListTimely",
             "codes=600000&token=%s" % token, b'"returnCode": 400'),
            ("codes with a trailing ','", "POST", "/services/stock/csm/stockListTimely",
             "token=%s&codes=600000," % token, b'"returnCode": 400'),
            ("codes with a blank", "POST", "/services/stock/csm/stockTimely",
             "token=%s&code=600000, 600001" % token, b'"returnCode": 400'),
            ("day bars", "POST", kline + "day",
             "code=600000&token=%s&size=5&startDate=2024-06-01&endDate=2024-06-14" % token, None),
            ("day bars without dates", "POST", kline + "day",
             "code=600000&token=%s&size=all&startDate=&endDate=" % token, None),
            ("bar dates without dashes", "POST", kline + "day",
             "code=600000&token=%s&size=5&startDate=20240601&endDate=20240614" % token, b'"returnCode": 400'),
            ("bar size with a zero", "POST", kline + "day",
             "code=600000&token=%s&size=05&startDate=&endDate=" % token, b'"returnCode": 400'),
            ("bar size 0", "POST", kline + "day",
             "code=600000&token=%s&size=0&startDate=&endDate=" % token, b'"returnCode": 400'),
            ("bar size in upper case", "POST", kline + "day",
             "code=600000&token=%s&size=ALL&startDate=&endDate=" % token, b'"returnCode": 400'),
            ("bar fields in another order", "POST", kline + "day",
             "token=%s&code=600000&size=5&startDate=&endDate=" % token, b'"returnCode": 400'),
            ("week bars", "POST", kline + "week", "code=600000&token=%s&requestDate=2024-06-14&size=3" % token, None),
            ("week bars with a day form", "POST", kline + "week",
             "code=600000&token=%s&size=3&startDate=&endDate=2024-06-14" % token, b'"returnCode": 400'),
            ("notice", "POST", "/services/stock/notice", "token=%s&id=1001" % token, None),
            ("notice with an empty id", "POST", "/services/stock/notice", "token=%s&id=" % token, b'"returnCode": 400'),
            ("market day", "POST", "/services/validateMarketDay", self.code(day), None),
            ("market day with a dashed date", "POST", "/services/validateMarketDay",
             self.code('{"date": "2024-06-14", "type": "ASHARE"}'), b'"returnCode": "400"'),
            ("market type in lower case", "POST", "/services/validateMarketDay",
             self.code('{"date": "20240614", "type": "ashare"}'), b'"returnCode": "400"'),
            ("market day as compact JSON", "POST", "/services/validateMarketDay",
             self.code('{"date":"20240614","type":"ASHARE"}'), b'"returnCode": "400"'),
            ("market day keys swapped", "POST", "/services/validateMarketDay",
             self.code('{"type": "ASHARE", "date": "20240614"}'), b'"returnCode": "400"'),
            ("market day code not escaped", "POST", "/services/validateMarketDay",
             "code=" + self.codec.encrypt(day).replace("%2B", "+").replace("%2F", "/").replace("%3D", "="),
             b'"returnCode": "400"'),
            ("calendar", "POST", "/services/marketCalendar",
             self.code('{"date": "20240612", "day": 3, "type": "ASHARE"}'), None),
            ("calendar day as a text", "POST", "/services/marketCalendar",
             self.code('{"date": "20240612", "day": "3", "type": "ASHARE"}'), b'"code": "false'),
            ("calendar without a day", "POST", "/services/marketCalendar",
             self.code('{"date": "20240612", "type": "ASHARE"}'), b'"code": "false'),
            ("history", "POST", history % ("D", "20240610", "20240612"), HISTORY_SAY, None),
            ("history with '@' escaped", "POST",
             "/services/historyData?type=600000%40SIM%400%40D&sdate=20240610&edate=20240612", HISTORY_SAY,
             b"<error>"),
            ("history with five type fields", "POST",
             "/services/historyData?type=600000@SIM@0@x@D&sdate=20240610&edate=20240612", HISTORY_SAY, b"<error>"),
            ("history period with a zero", "POST", history % ("05", "20240610", "20240612"), HISTORY_SAY, b"<error>"),
            ("history dates with dashes", "POST", history % ("D", "2024-06-10", "2024-06-12"), HISTORY_SAY,
             b"<error>"),
            ("history fields swapped", "POST",
             "/services/historyData?sdate=20240610&type=600000@SIM@0@D&edate=20240612", HISTORY_SAY, b"<error>"),
            ("history token in upper case", "POST", history % ("D", "20240610", "20240612"), HISTORY_SAY.upper(),
             b"<error>"),
            ("history body with more", "POST", history % ("D", "20240610", "20240612"), HISTORY_SAY + "&x=1",
             b"<error>"),
        ]
        for name, method, path, body, refused in cases:
            with self.subTest(name):
                status, data = self.send(method, path, body)
                if refused is None:
                    self.assertEqual(status, 200, data)
                    self.assertNotIn(b"<error>", data)
                    self.assertNotIn(b'"returnCode": 4', data)
                    self.assertNotIn(b'"returnCode": "4', data)
                    self.assertNotIn(b'"code": "false', data)
                elif isinstance(refused, int):
                    self.assertEqual(status, refused)
                else:
                    self.assertEqual(status, 200)
                    self.assertIn(refused, data)
                self.assert_refused(name, refused is None)

    def send(self, method, path, body):
        """One request; method "JSON" is a POST that says its body is JSON."""
        connection = http.client.HTTPConnection(HOST, self.host.ports["http"], timeout=DEADLINE)
        try:
            content_type = "application/json" if method == "JSON" else "application/x-www-form-urlencoded"
            connection.request("POST" if method == "JSON" else method, path, body=body.encode("ascii"),
                               headers={"Content-Type": content_type})
            response = connection.getresponse()
            return response.status, response.read()
        finally:
            connection.close()

    def test_token_checks_can_be_switched_off_as_a_fault(self):
        self.host.ok("http token off")
        status, data = self.client.post("/html/stock/stockList", "token=abc")
        self.assertIsInstance(json.loads(data.decode("utf-8")), list)
        self.assertEqual(self.refusals(), [])


class FormReaderTest(unittest.TestCase):
    def test_form_fields_keep_values_as_sent(self):
        self.assertEqual(forms.form_fields(b"a=%2B&b=", ("a", "b")), {"a": "%2B", "b": ""})
        for body in (b"b=1&a=2", b"a=1", b"a=1&b=2&c=3", b"a&b=2", b"a=\xb0&b=1"):
            with self.subTest(body=body):
                self.assertRaises(forms.Refused, forms.form_fields, body, ("a", "b"))


if __name__ == "__main__":
    unittest.main()
