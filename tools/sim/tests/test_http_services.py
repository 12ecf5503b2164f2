"""The HTTP market-data services: lists, quotes, bars, notices, market days, calendar,
history, request tokens and the faults that tests switch on."""

import http.client
import json
import os
import socket
import sys
import threading
import unittest
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from simtest import DEADLINE, HOST, SimHost  # noqa: E402
from tolvansim import aes  # noqa: E402
from tolvansim.webtoken import TokenCodec  # noqa: E402

HISTORY_SAY = "say=3c9e0a7b51d24f86e0b7a19c5d3f2e48"


class HttpClient:
    def __init__(self, port):
        self.port = port

    def post(self, path, body="", timeout=DEADLINE):
        connection = http.client.HTTPConnection(HOST, self.port, timeout=timeout)
        try:
            connection.request("POST", path, body=body.encode("ascii"),
                               headers={"Content-Type": "application/x-www-form-urlencoded"})
            response = connection.getresponse()
            return response.status, response.read()
        finally:
            connection.close()

    def json(self, path, body=""):
        status, data = self.post(path, body)
        if status != 200:
            raise AssertionError("%s answered %d" % (path, status))
        return json.loads(data.decode("utf-8"))


class ServiceCase(unittest.TestCase):
    overrides = {"csm_stocks": 300, "hks_stocks": 200}

    @classmethod
    def setUpClass(cls):
        cls.host = SimHost(**cls.overrides).start()
        cls.client = HttpClient(cls.host.ports["http"])
        cls.codec = TokenCodec("xqv~tomr~dne", "000102030405060708090a0b0c0d0e0f")
        cls.token = "token=" + cls.codec.token()

    @classmethod
    def tearDownClass(cls):
        cls.host.stop()

    def setUp(self):
        self.host.ok("reset")

    def encrypted(self, obj):
        return "code=" + self.codec.encrypt(json.dumps(obj))


class TokenTest(unittest.TestCase):
    def test_aes_256_known_answer_and_cbc_round_trip(self):
        key = bytes(range(32))
        rounds = aes.expand_key(key)
        block = bytes.fromhex("00112233445566778899aabbccddeeff")
        self.assertEqual(aes.encrypt_block(rounds, block).hex(), "8ea2b7ca516745bfeafc49904b496089")
        iv = bytes(16)
        for text in (b"", b"x" * 15, b"y" * 16, b"z" * 33):
            padded = aes.pad_pkcs7(text)
            self.assertEqual(len(padded) % 16, 0)
            self.assertGreater(len(padded), len(text))
            self.assertEqual(aes.unpad_pkcs7(aes.cbc_decrypt(key, iv, aes.cbc_encrypt(key, iv, padded))), text)

    def test_token_is_fixed_and_only_our_key_and_vector_read_it(self):
        codec = TokenCodec("xqv~tomr~dne", "000102030405060708090a0b0c0d0e0f")
        self.assertEqual(codec.token(), codec.token())
        self.assertEqual(codec.decrypt(urllib.parse.unquote(codec.token())), '{"type": "a"}')
        other = TokenCodec("xqv~tomr~dne", "0f0e0d0c0b0a09080706050403020100")
        self.assertNotEqual(other.decrypt(urllib.parse.unquote(codec.token())), '{"type": "a"}')
        self.assertIsNone(codec.decrypt("not base64 at all!"))


class ListTest(ServiceCase):
    overrides = {}   # the full default lists

    def test_lists_hold_thousands_of_unique_codes_with_chinese_names(self):
        for path, minimum, width in (("/html/stock/stockList", 3000, 6),
                                     ("/html/stock/stockList_hks", 1500, 5)):
            items = self.client.json(path, self.token)
            self.assertGreaterEqual(len(items), minimum)
            codes = [item["code"] for item in items]
            self.assertEqual(len(set(codes)), len(codes))
            self.assertEqual(len(set(item["name"] for item in items)), len(items))
            for item in items[:50]:
                self.assertEqual(set(item), {"index", "code", "name", "name_en", "type"})
                self.assertEqual(len(item["code"]), width)
                item["name"].encode("gbk")   # the terminal shows them in GBK
                self.assertTrue(any(ord(ch) > 0x4E00 for ch in item["name"]))

    def test_version_and_snapshot(self):
        self.assertEqual(self.client.json("/services/stock/csm/version", self.token),
                         {"returnCode": 200, "returnMsg": {"version": 1}})
        self.host.ok("http version HKS 7")
        self.assertEqual(self.client.json("/services/stock/hks/version", self.token)
                         ["returnMsg"]["version"], 7)
        status, data = self.client.post("/html/stock/stockInfo", self.token)
        text = data.decode("ascii")
        records = text[1:-1].split("][")
        self.assertGreaterEqual(len(records), 3000)
        for record in records[:20]:
            fields = record.split("|")
            self.assertEqual(len(fields), 17)
            self.assertLessEqual(float(fields[4]), float(fields[5]))   # low before high

    def test_a_bad_token_is_refused(self):
        reply = self.client.json("/html/stock/stockList", "token=abc")
        self.assertEqual(reply["returnCode"], 401)
        self.host.ok("http token off")
        self.assertIsInstance(self.client.json("/html/stock/stockList", "token=abc"), list)


class QuoteTest(ServiceCase):
    def test_quotes_carry_every_key_and_move(self):
        items = self.client.json("/html/stock/stockList", self.token)
        codes = [item["code"] for item in items[:40]]
        body = self.token + "&codes=" + ",".join(codes + ["999999"])
        first = self.client.json("/services/stock/csm/stockListTimely", body)
        self.assertEqual(first["returnCode"], 200)
        self.assertEqual([row["code"] for row in first["list"]], codes)
        row = first["list"][0]
        self.assertEqual(len(row), 37)
        self.assertEqual(urllib.parse.unquote(row["name"]), items[0]["name"])
        self.host.ok("http tick 3")
        second = self.client.json("/services/stock/csm/stockListTimely", body)
        moved = [a["code"] for a, b in zip(first["list"], second["list"]) if a["price"] != b["price"]]
        self.assertTrue(moved)
        single = self.client.json("/services/stock/csm/stockTimely", self.token + "&code=" + codes[1])
        self.assertEqual([row["code"] for row in single["list"]], [codes[1]])


class BarTest(ServiceCase):
    def kline(self, market, period, fields):
        """A K-line request with its fields in the terminal's order."""
        if period in ("week", "month"):
            names = ("code", "token", "requestDate", "size")
        else:
            names = ("code", "token", "size", "startDate", "endDate")
        values = dict(fields, token=self.token[len("token="):])
        body = "&".join("%s=%s" % (name, values.get(name, "")) for name in names)
        return self.client.json("/services/stock/%s/stockKline/%s" % (market, period), body)

    def test_minute_bars_lie_in_the_sessions_and_stop_at_the_clock(self):
        code = self.client.json("/html/stock/stockList", self.token)[0]["code"]
        reply = self.kline("csm", "minute1", {"code": code, "size": "all",
                                              "startDate": "2024-06-13", "endDate": "2024-06-14"})
        bars = reply["list"]
        times = [bar["date"] + " " + bar["time"] for bar in bars]
        self.assertEqual(times, sorted(times))
        self.assertEqual(sum(1 for bar in bars if bar["date"] == "2024-06-13"), 240)
        self.assertEqual(bars[-1]["date"] + " " + bars[-1]["time"], "2024-06-14 10:30")
        for bar in bars:
            minute = int(bar["time"][:2]) * 60 + int(bar["time"][3:])
            self.assertTrue(571 <= minute <= 690 or 781 <= minute <= 900, bar["time"])
        self.assertEqual(json.loads(reply["listDate"][0]), bars[-1])
        hourly = self.kline("csm", "hour1", {"code": code, "size": "4", "startDate": "2024-06-13",
                                             "endDate": "2024-06-13"})["list"]
        self.assertEqual([bar["time"] for bar in hourly], ["10:30", "11:30", "14:00", "15:00"])

    def test_day_week_month_and_unknown_codes(self):
        code = self.client.json("/html/stock/stockList_hks", self.token)[0]["code"]
        days = self.kline("hks", "day", {"code": code, "size": "5", "startDate": "2024-06-01",
                                         "endDate": "2024-06-14"})["list"]
        self.assertEqual([bar["date"] for bar in days],
                         ["2024-06-07", "2024-06-11", "2024-06-12", "2024-06-13", "2024-06-14"])
        weeks = self.kline("hks", "week", {"code": code, "requestDate": "2024-06-14", "size": "3"})["list"]
        self.assertEqual([bar["date"] for bar in weeks], ["2024-05-31", "2024-06-07", "2024-06-14"])
        months = self.kline("hks", "month", {"code": code, "requestDate": "2024-06-14", "size": "2"})["list"]
        self.assertEqual([bar["date"] for bar in months], ["2024-05-31", "2024-06-14"])
        self.assertEqual(self.kline("csm", "day", {"code": "NOPE", "size": "5"})["returnCode"], 404)


class CalendarTest(ServiceCase):
    def test_market_days_follow_weekends_holidays_and_overrides(self):
        cases = [("20240614", "ASHARE", "Y"), ("20240615", "ASHARE", "N"),
                 ("20240610", "ASHARE", "N"), ("20240611", "HSHARE", "Y"),
                 ("20240701", "HSHARE", "N")]
        for day, kind, status in cases:
            reply = self.client.json("/services/validateMarketDay",
                                     self.encrypted({"date": day, "type": kind}))
            self.assertEqual((reply["returnCode"], reply["status"]), ("200", status), day)
        self.host.ok("http marketday 20240614 closed")
        reply = self.client.json("/services/validateMarketDay",
                                 self.encrypted({"date": "20240614", "type": "ASHARE"}))
        self.assertEqual(reply["status"], "N")
        self.assertEqual(self.client.json("/services/validateMarketDay", "code=garbage")["returnCode"], "400")

    def test_calendar_lists_trading_days_before_the_date(self):
        reply = self.client.json("/services/marketCalendar",
                                 self.encrypted({"date": "20240612", "day": 3, "type": "ASHARE"}))
        self.assertEqual(reply["returnCode"], 200)
        self.assertEqual([entry["date"] for entry in json.loads(reply["code"])],
                         ["2024-06-06", "2024-06-07", "2024-06-11"])
        reply = self.client.json("/services/marketCalendar",
                                 self.encrypted({"date": "x", "day": 3, "type": "ASHARE"}))
        self.assertTrue(reply["code"].startswith("false"))


class NoticeAndHistoryTest(ServiceCase):
    def test_notice_comes_as_a_json_text_in_data(self):
        reply = self.client.json("/services/stock/notice", self.token)
        notices = json.loads(reply["data"])
        self.assertEqual(notices[0]["sub_id"], "1001")
        self.assertIn("<p>", notices[0]["content"])
        self.assertEqual(json.loads(self.client.json("/services/stock/notice",
                                                     self.token + "&id=77")["data"]), [])

    def test_history_lines_between_result_tags(self):
        status, data = self.client.post(
            "/services/historyData?type=XAUUSD@SIM@0@60&sdate=20240613&edate=20240614", HISTORY_SAY)
        text = data.decode("ascii")
        body = text[text.index("<result>") + 8:text.index("</result>")].strip().split("\n")
        self.assertEqual(body[0].split(), ["20240613", "01:00:00"] + body[0].split()[2:])
        self.assertEqual(len(body), 24 + 10)   # a whole day, then today up to 10:30
        moments = [line.split()[0] + line.split()[1] for line in body]
        self.assertEqual(moments, sorted(moments))
        status, data = self.client.post(
            "/services/historyData?type=CL@SIM@0@D&sdate=20240610&edate=20240612", HISTORY_SAY)
        lines = data.decode("ascii").split("<result>")[1].split("</result>")[0].split()
        self.assertEqual(lines[0], "20240610")
        status, data = self.client.post("/services/historyData?type=CL@a@b@D&sdate=1&edate=2", HISTORY_SAY)
        self.assertNotIn(b"<result>", data)
        status, data = self.client.post(
            "/services/historyData?type=CL@a@b@D&sdate=20240610&edate=20240612", "say=wrong")
        self.assertNotIn(b"<result>", data)


class FaultTest(ServiceCase):
    path = "/services/stock/csm/version"

    def test_fail_garbage_code_and_counted_faults(self):
        self.host.ok("http fault /services/stock fail times 2")
        self.assertEqual(self.client.post(self.path, self.token)[0], 500)
        self.assertEqual(self.client.post(self.path, self.token)[0], 500)
        self.assertEqual(self.client.post(self.path, self.token)[0], 200)
        self.host.ok("http fault all garbage")
        status, data = self.client.post(self.path, self.token)
        self.assertEqual(status, 200)
        self.assertRaises(ValueError, json.loads, data.decode("latin-1"))
        self.host.ok("http fault %s code 503" % self.path)   # the longer prefix wins
        self.assertEqual(self.client.json(self.path, self.token)["returnCode"], 503)
        self.host.ok("http clear")
        self.assertEqual(self.client.json(self.path, self.token)["returnCode"], 200)
        logged = self.host.ok("http requests 2")
        self.assertEqual([entry["path"] for entry in logged], [self.path, self.path])
        self.assertIn("token", logged[-1]["form"])

    def test_stall_holds_the_answer_until_released_and_drop_closes(self):
        self.host.ok("http fault %s stall" % self.path)
        answers = []
        worker = threading.Thread(target=lambda: answers.append(self.client.post(self.path, self.token)))
        worker.start()
        self.host.wait_until(lambda: len(self.host.ok("http requests")) == 1, "the stalled request")
        self.assertEqual(answers, [])
        self.host.ok("http clear %s" % self.path)
        worker.join(DEADLINE)
        self.assertEqual(answers[0][0], 200)
        self.host.ok("http fault %s drop" % self.path)
        self.assertRaises((http.client.HTTPException, ConnectionError, socket.timeout),
                          self.client.post, self.path, self.token)

    def test_held_lists_the_stalled_requests_whose_client_still_waits(self):
        self.host.ok("http fault /services/stock stall")
        waiting = socket.create_connection((HOST, self.host.ports["http"]), timeout=DEADLINE)
        leaving = socket.create_connection((HOST, self.host.ports["http"]), timeout=DEADLINE)
        for sock, path in ((waiting, self.path), (leaving, "/services/stock/hks/version")):
            body = self.token.encode("ascii")
            sock.sendall(b"POST %s HTTP/1.1\r\nHost: x\r\nContent-Type: application/x-www-form-urlencoded"
                         b"\r\nContent-Length: %d\r\n\r\n%s" % (path.encode("ascii"), len(body), body))
        self.host.wait_until(lambda: len(self.host.ok("http held")) == 2, "both requests held")
        self.assertEqual(self.host.ok("http held"), ["/services/stock/csm/version", "/services/stock/hks/version"])
        # A client that gives up is no longer held; the other one is answered once released.
        leaving.close()
        self.host.wait_until(lambda: self.host.ok("http held") == [self.path], "the client that left dropped")
        self.host.ok("http clear")
        self.assertTrue(waiting.recv(64).startswith(b"HTTP/1.1 200"))
        waiting.close()
        self.assertEqual(self.host.ok("http held"), [])

    def test_truncated_answer_is_shorter_than_announced(self):
        self.host.ok("http fault %s truncate" % self.path)
        self.assertRaises(http.client.IncompleteRead, self.client.post, self.path, self.token)

    def test_bad_commands_are_refused(self):
        for line in ("http fault nopath fail", "http fault / explode", "http fault / code",
                     "http fault / fail times 0", "http marketday 2024 open", "http price NOPE 1"):
            self.assertTrue(self.host.control(line).startswith("ERR"), line)


if __name__ == "__main__":
    unittest.main()
