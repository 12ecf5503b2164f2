"""The stock markets behind the HTTP services: generated A-share ("CSM") and Hong Kong ("HKS")
instrument lists with Chinese names, quotes that move, and candlestick bars.

Everything is derived from the seed: the same seed gives the same lists, prices and bars. Bars
are a function of the code and the time, so any two requests agree on a bar they share.
"""

import datetime
import hashlib
import math
import random

FIRST = "华中东金新长海天国恒广申南北宏瑞鸿安万大嘉兴宁泰永富信康鑫联"
FIRST_EN = ("Hua Zhong Dong Jin Xin Chang Hai Tian Guo Heng Guang Shen Nan Bei Hong Rui Hong "
            "An Wan Da Jia Xing Ning Tai Yong Fu Xin Kang Xin Lian").split()
SECOND = "宇达通远航源盛邦川峰德华科成润晨阳辰光和"
SECOND_EN = ("yu da tong yuan hang yuan sheng bang chuan feng de hua ke cheng run chen yang "
             "chen guang he").split()
INDUSTRY = ["科技", "银行", "电子", "医药", "能源", "地产", "证券", "汽车", "化工", "传媒",
            "电力", "食品", "材料", "机械", "环保", "物流", "软件", "通信", "保险", "农业"]
INDUSTRY_EN = ["Technology", "Bank", "Electronics", "Pharma", "Energy", "Property",
               "Securities", "Motors", "Chemicals", "Media", "Power", "Foods", "Materials",
               "Machinery", "Environment", "Logistics", "Software", "Telecom", "Insurance",
               "Agriculture"]
NAME_COMBINATIONS = len(FIRST) * len(SECOND) * len(INDUSTRY)

# A-share code series (first code of each), taken in turn.
CSM_SERIES = (600000, 1, 300001, 601000, 2001, 603000, 688001)

CSM_SESSIONS = ((9 * 60 + 30, 11 * 60 + 30), (13 * 60, 15 * 60))
HKS_SESSIONS = ((9 * 60 + 30, 12 * 60), (13 * 60, 16 * 60))

CSM_HOLIDAYS = {
    "2024-01-01", "2024-02-09", "2024-02-12", "2024-02-13", "2024-02-14", "2024-02-15",
    "2024-02-16", "2024-04-04", "2024-04-05", "2024-05-01", "2024-05-02", "2024-05-03",
    "2024-06-10", "2024-09-16", "2024-09-17", "2024-10-01", "2024-10-02", "2024-10-03",
    "2024-10-04", "2024-10-07", "2025-01-01",
}
HKS_HOLIDAYS = {
    "2024-01-01", "2024-02-12", "2024-02-13", "2024-03-29", "2024-04-01", "2024-04-04",
    "2024-05-01", "2024-05-15", "2024-06-10", "2024-07-01", "2024-09-18", "2024-10-01",
    "2024-10-11", "2024-12-25", "2024-12-26", "2025-01-01",
}

MARKETS = ("CSM", "HKS")
MARKET_TYPES = {"ASHARE": "CSM", "HSHARE": "HKS"}


def _unit(*parts):
    """A stable number in [0, 1) of the parts."""
    digest = hashlib.md5("|".join(str(part) for part in parts).encode("utf-8")).digest()
    return int.from_bytes(digest[:6], "big") / float(1 << 48)


def _hk_step(price):
    if price < 0.25:
        return 0.001
    if price < 10:
        return 0.01
    if price < 100:
        return 0.05
    return 0.1


class Stock:
    def __init__(self, market, index, code, name, name_en, base, lot, step, decimals):
        self.market = market
        self.index = index
        self.code = code
        self.name = name
        self.name_en = name_en
        self.base = base
        self.lot = lot
        self.step = step
        self.decimals = decimals
        self.halted = False
        self.prev_close = base
        self.open = base
        self.last = base
        self.high = base
        self.low = base
        self.volume = 0
        self.amount = 0.0
        self.book = []

    def price_text(self, price):
        return "%.*f" % (self.decimals, price)

    def round(self, price):
        ticks = max(1, round(price / self.step))
        return round(ticks * self.step, self.decimals)


class StockMarket:
    def __init__(self, seed, csm_count, hks_count, clock):
        self.seed = seed
        self.clock = clock
        self.rng = random.Random(seed * 7 + 11)
        self.versions = {"CSM": 1, "HKS": 1}
        self.stocks = {"CSM": [], "HKS": []}
        self.by_code = {}
        names = random.Random(seed).sample(range(NAME_COMBINATIONS), csm_count + hks_count)
        for i in range(csm_count):
            series = CSM_SERIES[i % len(CSM_SERIES)]
            code = "%06d" % (series + i // len(CSM_SERIES))
            self._add("CSM", i, code, names[i])
        hk_codes = sorted(random.Random(seed + 1).sample(range(1, 10000), hks_count))
        for i, number in enumerate(hk_codes):
            self._add("HKS", i, "%05d" % number, names[csm_count + i])
        for market in MARKETS:
            for stock in self.stocks[market]:
                self._start_day(stock)

    def _add(self, market, i, code, name_number):
        first = name_number % len(FIRST)
        second = (name_number // len(FIRST)) % len(SECOND)
        industry = name_number // (len(FIRST) * len(SECOND))
        name = FIRST[first] + SECOND[second] + INDUSTRY[industry]
        name_en = "%s%s %s" % (FIRST_EN[first], SECOND_EN[second], INDUSTRY_EN[industry])
        u = _unit(self.seed, code, "base")
        if market == "CSM":
            base = round(3 + u * 77, 2)
            stock = Stock(market, i + 1, code, name, name_en, base, 100, 0.01, 2)
        else:
            name += "控股"
            name_en += " Holdings"
            base = round(0.2 + u * u * 300, 3)
            step = _hk_step(base)
            lot = (100, 200, 500, 1000, 2000)[int(_unit(self.seed, code, "lot") * 5)]
            stock = Stock(market, i + 1, code, name, name_en, base, lot, step, 3)
            stock.base = stock.round(base)
        stock.halted = _unit(self.seed, code, "halt") < 0.01
        self.stocks[market].append(stock)
        self.by_code[(market, code)] = stock

    def _start_day(self, stock):
        # The day's quote starts where the bars of the day start, so charts and quotes agree.
        today = self.clock.now().date()
        open_minute = self._epoch_minute(today, self.sessions(stock.market)[0][0])
        stock.prev_close = stock.round(self._price_at(stock, open_minute - 1))
        stock.open = stock.round(self._price_at(stock, open_minute))
        stock.last = stock.open
        stock.high = max(stock.open, stock.prev_close)
        stock.low = min(stock.open, stock.prev_close)
        stock.volume = 1000 + int(_unit(self.seed, stock.code, "volume") * 100000) * 100
        stock.amount = stock.volume * stock.last
        self._refresh_book(stock)

    def _refresh_book(self, stock):
        asks = []
        bids = []
        for level in range(5):
            asks.append((stock.round(stock.last + stock.step * (level + 1)),
                         self.rng.randint(1, 500) * stock.lot))
            bids.append((stock.round(stock.last - stock.step * level),
                         self.rng.randint(1, 500) * stock.lot))
        stock.book = (asks, bids)

    def find(self, market, code):
        return self.by_code.get((market, code))

    def find_any(self, code):
        return self.by_code.get(("CSM", code)) or self.by_code.get(("HKS", code))

    def step(self, count=1):
        """Moves about two in three stocks of each market; returns how many moved."""
        moved = 0
        for _ in range(count):
            for market in MARKETS:
                for stock in self.stocks[market]:
                    if stock.halted or self.rng.random() > 0.66:
                        continue
                    offset = 0
                    while offset == 0:
                        offset = self.rng.randint(-3, 3)
                    self.move(stock, stock.last + offset * stock.step)
                    moved += 1
        return moved

    def move(self, stock, price):
        stock.last = stock.round(price)
        stock.high = max(stock.high, stock.last)
        stock.low = min(stock.low, stock.last)
        traded = self.rng.randint(1, 50) * stock.lot
        stock.volume += traded
        stock.amount += traded * stock.last
        self._refresh_book(stock)

    # --- replies -------------------------------------------------------------------------

    def list_items(self, market):
        return [{"index": str(stock.index), "code": stock.code, "name": stock.name,
                 "name_en": stock.name_en, "type": "1"} for stock in self.stocks[market]]

    def snapshot_text(self, market):
        records = []
        for stock in self.stocks[market]:
            asks, bids = stock.book
            fields = [stock.code, stock.price_text(stock.open), stock.price_text(stock.prev_close),
                      stock.price_text(stock.last), stock.price_text(stock.low),
                      stock.price_text(stock.high), stock.price_text(bids[0][0]),
                      stock.price_text(asks[0][0]), str(stock.volume), "%.2f" % stock.amount,
                      str(bids[0][1]), stock.price_text(bids[0][0]), str(asks[0][1]),
                      stock.price_text(asks[0][0]), "3" if stock.halted else "1",
                      str(stock.lot), ("%g" % stock.step)]
            records.append("[" + "|".join(fields) + "]")
        return "".join(records)

    def quote(self, stock, escape_name):
        now = self.clock.now()
        asks, bids = stock.book
        quote = {"name": escape_name(stock.name), "open": stock.price_text(stock.open),
                 "pre_close": stock.price_text(stock.prev_close),
                 "price": stock.price_text(stock.last), "high": stock.price_text(stock.high),
                 "low": stock.price_text(stock.low), "bid": stock.price_text(bids[0][0]),
                 "ask": stock.price_text(asks[0][0]), "volume": stock.volume,
                 "amount": round(stock.amount, 2), "date": now.strftime("%Y-%m-%d"),
                 "time": now.strftime("%H:%M:%S")}
        for level in range(5):
            quote["a%d_p" % (level + 1)] = stock.price_text(asks[level][0])
            quote["a%d_v" % (level + 1)] = asks[level][1]
        for level in range(5):
            quote["b%d_p" % (level + 1)] = stock.price_text(bids[level][0])
            quote["b%d_v" % (level + 1)] = bids[level][1]
        quote.update({"code": stock.code, "utime": now.strftime("%Y-%m-%d %H:%M:%S"),
                      "status": "3" if stock.halted else "1", "mggs": str(stock.lot),
                      "jggd": "%g" % stock.step})
        return quote

    # --- calendar and bars ---------------------------------------------------------------

    @staticmethod
    def is_trading_day(market, day):
        if day.weekday() >= 5:
            return False
        holidays = CSM_HOLIDAYS if market == "CSM" else HKS_HOLIDAYS
        return day.strftime("%Y-%m-%d") not in holidays

    def trading_days_before(self, market, day, count):
        """The count trading days before day (not day itself), oldest first."""
        days = []
        current = day
        while len(days) < count and len(days) < 20000:
            current -= datetime.timedelta(days=1)
            if current.year < 1990:
                break
            if self.is_trading_day(market, current):
                days.append(current)
        return list(reversed(days))

    def trading_days_between(self, market, first, last):
        days = []
        current = first
        while current <= last:
            if self.is_trading_day(market, current):
                days.append(current)
            current += datetime.timedelta(days=1)
        return days

    def _price_at(self, stock, minute):
        """The stock's price at a minute since 1970 (a smooth walk with a little noise)."""
        slow = math.sin(2 * math.pi * minute / (60 * 24 * 37.0) + _unit(stock.code, "phase") * 6)
        fast = math.sin(2 * math.pi * minute / (60 * 5.3))
        noise = _unit(self.seed, stock.code, minute) - 0.5
        return stock.base * (1 + 0.08 * slow + 0.01 * fast + 0.004 * noise)

    def _bar(self, stock, date, time_text, start_minute, end_minute):
        open_ = self._price_at(stock, start_minute)
        close = self._price_at(stock, end_minute)
        spread = 0.003 * (1 + _unit(stock.code, end_minute, "spread"))
        high = max(open_, close) * (1 + spread)
        low = min(open_, close) * (1 - spread)
        volume = int(1000 + _unit(stock.code, end_minute, "vol") * 90000) * 100
        return {"date": date.strftime("%Y-%m-%d"), "time": time_text,
                "openPrice": stock.price_text(stock.round(open_)),
                "closePrice": stock.price_text(stock.round(close)),
                "price": stock.price_text(stock.round(close)),
                "high": stock.price_text(stock.round(high)),
                "low": stock.price_text(stock.round(low)),
                "pre_close": stock.price_text(stock.round(open_)),
                "volume": volume, "maxVolume": volume * 3}

    @staticmethod
    def _epoch_minute(day, minute_of_day):
        return (day.toordinal() - 719163) * 1440 + minute_of_day

    def sessions(self, market):
        return CSM_SESSIONS if market == "CSM" else HKS_SESSIONS

    def minute_bars(self, stock, day, period, until=None):
        """Bars of one trading day, each stamped with its end time; none past until."""
        bars = []
        for start, end in self.sessions(stock.market):
            bar_end = start + period
            while bar_end <= end:
                moment = datetime.datetime.combine(day, datetime.time()) + datetime.timedelta(minutes=bar_end)
                if until is not None and moment > until:
                    return bars
                bars.append(self._bar(stock, day, "%02d:%02d" % divmod(bar_end, 60),
                                      self._epoch_minute(day, bar_end - period),
                                      self._epoch_minute(day, bar_end)))
                bar_end += period
        return bars

    def day_bar(self, stock, day, first=None):
        first = first or day
        sessions = self.sessions(stock.market)
        bar = self._bar(stock, day, "%02d:%02d" % divmod(sessions[-1][1], 60),
                        self._epoch_minute(first, sessions[0][0]),
                        self._epoch_minute(day, sessions[-1][1]))
        return bar

    def period_bars(self, stock, period_days, end_day, count):
        """Week ("week") or month ("month") bars: the last count periods up to end_day."""
        groups = []
        day = end_day
        # One period more than asked, so that the oldest one asked for is complete.
        while len(groups) <= count and day.year >= 1990:
            if period_days == "week":
                key = day.isocalendar()[:2]
            else:
                key = (day.year, day.month)
            if self.is_trading_day(stock.market, day):
                if groups and groups[-1][0] == key:
                    groups[-1][1].append(day)
                else:
                    groups.append((key, [day]))
            day -= datetime.timedelta(days=1)
        bars = []
        for _, days in reversed(groups[:count]):
            bars.append(self.day_bar(stock, days[0], days[-1]))
        return bars
