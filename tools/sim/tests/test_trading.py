"""Orders against the simulated prices, and what the account replies show afterwards."""

import unittest

from simtest import SimHost, SimHostCase, connect, keyed, list_items, make_config
from tolvansim.clock import Clock
from tolvansim.market import Market
from tolvansim.stocks import StockMarket


def summary_values(record):
    return record.split("@")[1].split("#")[:-1]


def position_of(record, code):
    for item in list_items(record):
        if item[0].split("|")[0] == code:
            return item
    return None


class TradingTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.host = SimHost().start()

    @classmethod
    def tearDownClass(cls):
        cls.host.stop()

    def setUp(self):
        self.host.ok("reset")
        self.trade, _ = connect(self.host, "trade", "80001")
        self.query, _ = connect(self.host, "query", "80001")

    def tearDown(self):
        self.trade.close()
        self.query.close()

    def ask(self, request, reply_type):
        self.query.send(request)
        return self.query.wait_for(reply_type + "@")

    def order_report(self, state):
        while True:
            report = keyed(self.trade.wait_for("OrderInfo@"))
            if report["st"] == state:
                return report

    def test_market_order_fills_and_shows_everywhere(self):
        price = self.host.ok("set price EURUSD 1.08500")
        self.assertEqual(price, "1.08500")
        cash_before = self.host.ok("account 80001")["cash"]
        self.trade.send("neworder@EURUSD||100000|B|M|77001|")

        submitted = self.order_report("Submitted")
        filled = self.order_report("Filled")
        self.assertEqual(submitted["oid"], filled["oid"])
        self.assertEqual((filled["cid"], filled["cn"], filled["an"], filled["ty"], filled["qy"]),
                         ("77001", "EURUSD", "BUY", "MKT", "100000"))
        self.assertEqual(filled["fnum"], "100000")
        self.assertAlmostEqual(float(filled["ps"]) / float(filled["fnum"]), 1.085)
        self.assertEqual(filled["mg"], "2.00")
        self.assertRegex(filled["ot"], r"^2024-06-14 10:30:00$")

        pushed = self.trade.wait_for("PositionResult@")
        self.assertEqual(position_of(pushed, "EURUSD")[1:3], ["0", "100000"])
        funds = summary_values(self.trade.wait_for("SummaryResult@"))
        self.assertEqual(len(funds), 7)

        position = position_of(self.ask("queryposition@", "PositionResult"), "EURUSD")
        self.assertEqual(position[0], "EURUSD|欧元美元|IDEALPRO")
        self.assertEqual(position[1:3], ["0", "100000"])
        self.assertAlmostEqual(float(position[3]), 1.085)
        self.assertEqual(position[4:], ["1", "USD"])

        summary = summary_values(self.ask("querysummary@", "SummaryResult"))
        self.assertEqual(summary[5:], ["-1", "USD"])
        self.assertAlmostEqual(self.host.ok("account 80001")["cash"], cash_before - 2.0)
        self.assertGreater(float(summary[2]), 0.0, "margin in use grows with the position")

        for kind, listed in ((6, True), (1, True), (2, False)):
            with self.subTest(kind=kind):
                items = list_items(self.ask("querystateorders@%d#" % kind, "SubmittedOrdersResult"))
                rows = [item for item in items if item[1] == filled["oid"]]
                self.assertEqual(bool(rows), listed)
                if rows:
                    row = rows[0]
                    self.assertEqual(len(row), 15)
                    self.assertEqual((row[2], row[4], row[5], row[6]),
                                     ("0", "100000", "20240614", "10:30:00"))
                    self.assertEqual((row[9], row[10], row[11], row[14]), ("0", "100000", "F", "O,P"))

    def test_a_tick_of_a_held_code_pushes_the_funds(self):
        before = summary_values(self.ask("querysummary@", "SummaryResult"))
        self.host.ok("tick XAUUSD")
        pushed = summary_values(self.trade.wait_for("SummaryResult@"))
        self.assertNotEqual(pushed[0], before[0], "the total assets follow the held gold's price")
        self.assertEqual(pushed[5:], ["-1", "USD"])

    def test_limit_order_rests_until_the_price_crosses(self):
        self.host.ok("set price CL 78.00")
        self.trade.send("neworder@CL|77.50|2|B|L|5001|")
        oid = self.order_report("Submitted")["oid"]
        open_orders = list_items(self.ask("querystateorders@2#", "SubmittedOrdersResult"))
        self.assertEqual([item[1] for item in open_orders], [oid])
        self.assertGreater(self.host.ok("account 80001")["frozen"], 0.0)

        self.host.ok("set price CL 77.60")
        self.host.ok("set price CL 77.40")
        filled = self.order_report("Filled")
        self.assertEqual(filled["oid"], oid)
        self.assertAlmostEqual(float(filled["ps"]) / 2, 77.50, msg="a resting order trades at its limit")
        self.assertEqual(self.ask("querystateorders@2#", "SubmittedOrdersResult"),
                         "SubmittedOrdersResult@#@")

    def test_cancel(self):
        self.trade.send("neworder@XAUUSD|2000.00|100|B|L|6001|")
        oid = self.order_report("Submitted")["oid"]
        self.trade.send("cancleorder@" + oid)
        cancelled = self.order_report("Cancelled")
        self.assertEqual((cancelled["oid"], cancelled["fnum"]), (oid, "0"))
        rows = list_items(self.ask("querystateorders@6#", "SubmittedOrdersResult"))
        self.assertEqual([row[11] for row in rows if row[1] == oid], ["C"])
        self.assertEqual(self.host.ok("account 80001")["frozen"], 0.0)

    def test_stop_order_triggers_beyond_its_price(self):
        self.host.ok("set price GC 2348.0")
        self.trade.send("neworder@GC|2350.0|1|B|S|6101|")
        oid = self.order_report("Submitted")["oid"]
        self.host.ok("set price GC 2351.0")
        filled = self.order_report("Filled")
        self.assertEqual((filled["oid"], filled["ty"]), (oid, "STP"))

    def test_bad_tickets_are_refused(self):
        cases = [
            ("unknown code", "neworder@NOPE||1|B|M|1|"),
            ("zero quantity", "neworder@CL||0|B|M|2|"),
            ("bad side", "neworder@CL||1|X|M|3|"),
            ("limit without price", "neworder@CL||1|B|L|4|"),
            ("more than the cash", "neworder@CL||100000|B|M|5|"),
        ]
        for name, text in cases:
            with self.subTest(name):
                self.trade.send(text)
                report = keyed(self.trade.wait_for("OrderInfo@"))
                self.assertEqual((report["st"], report["cid"]), ("Inactive", text.split("|")[-2]))

    def test_closing_a_position_realises_profit(self):
        self.host.ok("set price XAUUSD 2330.00")
        self.trade.send("neworder@XAUUSD||100|S|M|7001|")   # closes the opening long of 100
        filled = self.order_report("Filled")
        pushed = position_of(self.trade.wait_for("PositionResult@"), "XAUUSD")
        self.assertEqual(pushed[2], "0", "a closed position is pushed with quantity 0")
        self.assertEqual(self.ask("queryposition@", "PositionResult"), "PositionResult@#@")
        row = [item for item in list_items(self.ask("querystateorders@1#", "SubmittedOrdersResult"))
               if item[1] == filled["oid"]][0]
        self.assertEqual((row[13], row[14]), ("100", "C,P"))
        self.assertAlmostEqual(float(row[12]), (2330.00 - 2318.40) * 100, places=2)

    def test_price_move_pushes_the_funds_of_holders(self):
        before = float(summary_values(self.ask("querysummary@", "SummaryResult"))[0])
        self.host.ok("set price XAUUSD 2300.00")   # the account holds a long of 100
        pushed = position_of(self.trade.wait_for("PositionResult@"), "XAUUSD")
        self.assertEqual(pushed[2], "100")
        after = float(summary_values(self.trade.wait_for("SummaryResult@"))[0])
        self.assertLess(after, before)
        self.host.ok("set price CL 78.00")         # not held: nothing is pushed
        self.trade.send("preneworder@CL||1|B|M|8101|")
        self.assertTrue(self.trade.next_message(5).startswith("PreOrderInfo@"))

    def test_an_account_can_be_given_a_stock_position(self):
        before = summary_values(self.ask("querysummary@", "SummaryResult"))
        config = make_config()
        stocks = StockMarket(config["seed"], config["csm_stocks"], config["hks_stocks"],
                             Clock(config["clock"], config["utc_offset_hours"]))
        hong_kong = stocks.stocks["HKS"][0]
        cases = [(stocks.find_any("600100"), "500", "10.5", "CSM", ["0", "500", "10.5000", "1", "CNY"]),
                 (hong_kong, "-2000", "3.25", "HKS", ["1", "2000", "3.25000", "1", "HKD"])]
        for stock, quantity, price, market, values in cases:
            with self.subTest(stock.code):
                self.assertEqual(self.host.ok("hold 80001 %s %s %s" % (stock.code, quantity, price)),
                                 quantity)
                expected = ["%s|%s|%s" % (stock.code, stock.name, market)] + values
                self.assertEqual(position_of(self.trade.wait_for("PositionResult@"), stock.code), expected)
                self.assertEqual(position_of(self.ask("queryposition@", "PositionResult"), stock.code),
                                 expected)
        # A stock counts at its cost: the funds stay; the gold is still held.
        self.assertEqual(summary_values(self.ask("querysummary@", "SummaryResult")), before)
        self.assertIsNotNone(position_of(self.ask("queryposition@", "PositionResult"), "XAUUSD"))

        self.host.ok("hold 80001 600100 0 0")
        self.assertEqual(position_of(self.trade.wait_for("PositionResult@"), "600100")[2], "0")
        self.assertIsNone(position_of(self.ask("queryposition@", "PositionResult"), "600100"))
        for bad in ("hold 80001 NOPE 1 1", "hold 80001 600100 1 0", "hold 99999 600100 1 1"):
            with self.subTest(bad):
                self.assertTrue(self.host.control(bad).startswith("ERR"), bad)

    def test_no_value_funds_until_switched_off(self):
        self.host.ok("novalue 80001 on")
        for pushed in (self.trade.wait_for("SummaryResult@"), self.ask("querysummary@", "SummaryResult")):
            self.assertEqual(summary_values(pushed), ["-999999999.00"] * 5 + ["-1", "USD"])
        self.host.ok("novalue 80001 off")
        self.assertGreater(float(summary_values(self.trade.wait_for("SummaryResult@"))[0]), 0.0)

    def test_pre_order_check(self):
        cases = [("ablesubmit", "preneworder@CL||1|B|M|8001|"),
                 ("unablesubmit", "preneworder@CL||100000|B|M|8002|")]
        for verdict, text in cases:
            with self.subTest(verdict):
                self.trade.send(text)
                info = keyed(self.trade.wait_for("PreOrderInfo@"))
                self.assertEqual((info["st"], info["cid"], info["cn"]), (verdict, text.split("|")[-2], "CL"))
                self.assertIn("im", info)
        self.assertEqual(self.host.ok("orders 80001"), [], "a pre-check places nothing")

    def test_history_pages(self):
        pages = []
        while not pages or pages[-1]:
            request = "querydateorders@6#2024-05-01#2024-06-13#%d#" % (len(pages) + 1)
            pages.append(list_items(self.ask(request, "SubmittedOrdersResult")))
        rows = [row for page in pages for row in page]
        self.assertGreater(len(pages), 2, "the seeded history fills more than one page")
        self.assertTrue(all(len(page) == 20 for page in pages[:-2]))
        self.assertEqual(len({row[1] for row in rows}), len(rows), "pages do not overlap")
        self.assertTrue(all("20240501" <= row[5] <= "20240613" for row in rows))
        self.assertEqual(self.ask("querydateorders@6#2024-06-15#2024-06-20#1#", "SubmittedOrdersResult"),
                         "SubmittedOrdersResult@#@")


class MarketTest(unittest.TestCase):
    def test_same_seed_same_prices_on_the_price_grid(self):
        sectors = make_config()["sectors"]
        first, second = Market(sectors, 42), Market(sectors, 42)
        for _ in range(50):
            self.assertEqual(first.step(), second.step())
        self.assertEqual({code: quote.last for code, quote in first.quotes.items()},
                         {code: quote.last for code, quote in second.quotes.items()})
        for code, instrument in first.instruments.items():
            quote = first.quotes[code]
            with self.subTest(code):
                steps = quote.last / instrument.tick
                self.assertAlmostEqual(steps, round(steps), places=6)
                self.assertLess(quote.bid, quote.ask)
                self.assertEqual([price for price, _ in quote.book_bids],
                                 sorted((price for price, _ in quote.book_bids), reverse=True))


class ProxyTest(SimHostCase):

    def login(self, kind, user):
        client, reply = connect(self.host, kind, user)
        self.assertIn("status:1", reply)
        self.clients.append(client)
        return client

    def test_client_list(self):
        proxy_query = self.login("proxyquery", "90001")
        proxy_query.send("queryallclient@")
        reply = proxy_query.wait_for("ClientResult@")
        items = list_items(reply)
        self.assertEqual([item[0] for item in items], ["80001", "80002", "80003", "80004"])
        self.assertTrue(all(len(item) >= 9 for item in items))
        self.assertEqual(items[1][1], "李娜")

    def test_client_orders_reach_the_proxy_trade_connection(self):
        own_trade = self.login("trade", "90001")
        self.login("proxytrade", "90001")
        client_trade = self.login("trade", "80002")
        client_trade.send("neworder@CL||1|B|M|9001|")
        own = keyed(client_trade.wait_for("st:Filled"))
        self.assertNotIn("clientname", own)
        event = keyed(own_trade.wait_for("st:Filled"))
        self.assertEqual((event["clientname"], event["oid"], event["cid"]), ("80002", own["oid"], "9001"))

        self.host.ok("order 80003 GC S 2")
        event = keyed(own_trade.wait_for("clientname:80003"))
        self.assertEqual((event["cn"], event["an"]), ("GC", "SELL"))

    def test_proxy_orders_answer_on_the_proxy_connection(self):
        proxy_trade = self.login("proxytrade", "90001")
        proxy_trade.send("neworder@SI||1|B|M|9101|")
        self.assertEqual(keyed(proxy_trade.wait_for("st:Filled"))["cid"], "9101")


if __name__ == "__main__":
    unittest.main()
