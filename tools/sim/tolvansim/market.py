"""Instruments and their prices: a seeded random walk on the price grid, and five-level books."""

import random

LEVELS = 5


class Instrument:
    def __init__(self, settings, sector):
        self.code = settings["code"]
        self.name = settings["name"]
        self.sector = sector["key"]
        self.exchange = sector["exchange"]
        self.currency = settings["currency"]
        self.decimals = int(settings["decimals"])
        self.tick = float(settings["tick"])
        self.start_price = float(settings["price"])
        self.multiplier = float(settings["multiplier"])
        self.step_ticks = max(1, int(settings["step_ticks"]))
        self.spread_ticks = max(1, int(settings["spread_ticks"]))
        self.fee_per_unit = float(settings["fee_per_unit"])
        self.margin_rate = float(settings["margin_rate"])
        self.lot_units = float(settings["lot_units"])

    def round_price(self, price):
        ticks = round(price / self.tick)
        return round(max(1, ticks) * self.tick, self.decimals)

    def format_price(self, price):
        return "%.*f" % (self.decimals, price)


class Quote:
    """The market state of one instrument."""

    def __init__(self, instrument, rng):
        price = instrument.start_price
        self.last = price
        self.prev_close = price
        self.open = instrument.round_price(price + instrument.tick * rng.randint(-3, 3))
        self.high = max(self.open, price)
        self.low = min(self.open, price)
        self.volume = rng.randint(1000, 5000)
        self.bid = self.ask = price
        self.bid_size = self.ask_size = 0
        self.book_bids = []
        self.book_asks = []


class Market:
    def __init__(self, sectors, seed):
        self.sectors = sectors
        self.instruments = {}
        self.sector_codes = {}
        for sector in sectors:
            codes = []
            for settings in sector["instruments"]:
                instrument = Instrument(settings, sector)
                self.instruments[instrument.code] = instrument
                codes.append(instrument.code)
            self.sector_codes[sector["key"]] = codes
        self.rng = random.Random(seed)
        self.quotes = {}
        for code, instrument in self.instruments.items():
            quote = Quote(instrument, self.rng)
            self.quotes[code] = quote
            self._refresh_book(instrument, quote)

    def sector(self, key):
        for sector in self.sectors:
            if sector["key"] == key:
                return sector
        return None

    def last(self, code):
        return self.quotes[code].last

    def step(self, codes=None):
        """Moves prices one step; returns the codes whose quote changed, in list order.

        Without codes about two in three instruments move; named codes always move.
        """
        forced = codes is not None
        changed = []
        for code in (codes if forced else list(self.instruments)):
            instrument = self.instruments[code]
            if not forced and self.rng.random() > 0.66:
                continue
            offset = 0
            while offset == 0:
                offset = self.rng.randint(-instrument.step_ticks, instrument.step_ticks)
            quote = self.quotes[code]
            self._move(instrument, quote, quote.last + offset * instrument.tick)
            changed.append(code)
        return changed

    def set_price(self, code, price):
        instrument = self.instruments[code]
        self._move(instrument, self.quotes[code], price)

    def _move(self, instrument, quote, price):
        quote.last = instrument.round_price(price)
        quote.high = max(quote.high, quote.last)
        quote.low = min(quote.low, quote.last)
        quote.volume += self.rng.randint(1, 40)
        self._refresh_book(instrument, quote)

    def _refresh_book(self, instrument, quote):
        half = instrument.spread_ticks * instrument.tick / 2.0
        quote.bid = instrument.round_price(quote.last - half)
        quote.ask = instrument.round_price(quote.last + half)
        if quote.ask <= quote.bid:
            quote.ask = instrument.round_price(quote.bid + instrument.tick)
        gap = instrument.tick * max(1, instrument.spread_ticks // 2)
        quote.book_bids = [(instrument.round_price(quote.bid - level * gap),
                            self.rng.randint(1, 60)) for level in range(LEVELS)]
        quote.book_asks = [(instrument.round_price(quote.ask + level * gap),
                            self.rng.randint(1, 60)) for level in range(LEVELS)]
        quote.bid_size = quote.book_bids[0][1]
        quote.ask_size = quote.book_asks[0][1]
