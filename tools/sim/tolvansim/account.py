"""Accounts: cash, net positions with average prices, orders and their fills."""

import datetime
import random

from .wire import md5_hex

# Order states, as the terminal's reports name them.
SUBMITTED = "Submitted"
FILLED = "Filled"
CANCELLED = "Cancelled"
INACTIVE = "Inactive"
FINAL_STATES = (FILLED, CANCELLED, INACTIVE)

STATE_LETTER = {SUBMITTED: "S", "PreSubmitted": "S", "PendingSubmit": "S", "Received": "P",
                FILLED: "F", CANCELLED: "C", "PendingCancel": "C", INACTIVE: "I"}
KIND_WORD = {"M": "MKT", "L": "LMT", "S": "STP"}
KIND_DIGIT = {"M": "0", "L": "1", "S": "2"}
SIDE_WORD = {"B": "BUY", "S": "SELL"}
SIDE_DIGIT = {"B": "0", "S": "1"}

OPENING = "O,P"
CLOSING = "C,P"

EPSILON = 1e-9


def quantity_text(quantity):
    if abs(quantity - round(quantity)) < EPSILON:
        return "%d" % round(quantity)
    return ("%.4f" % quantity).rstrip("0").rstrip(".")


def money_text(value):
    return "%.2f" % value


# What the servers write for a figure they cannot work out (any value below -100 means it).
NO_VALUE = "-999999999.00"


class Order:
    def __init__(self, oid, cid, code, side, kind, price, quantity, created):
        self.oid = oid
        self.cid = cid
        self.code = code
        self.side = side            # "B" or "S"
        self.kind = kind            # "M" market, "L" limit, "S" stop
        self.price = price          # limit or stop price; 0.0 for market orders
        self.quantity = quantity
        self.created = created      # datetime
        self.state = SUBMITTED
        self.reason = ""
        self.filled = 0.0
        self.amount = 0.0           # sum of fill price x fill quantity
        self.fee = 0.0
        self.effect = ""            # OPENING or CLOSING once something filled
        self.profit_points = 0.0    # realised profit in price points x quantity
        self.closed = 0.0           # quantity that closed an earlier position

    @property
    def is_open(self):
        return self.state not in FINAL_STATES

    @property
    def remaining(self):
        return max(0.0, self.quantity - self.filled)

    @property
    def signed_remaining(self):
        return self.remaining if self.side == "B" else -self.remaining


class Position:
    def __init__(self, quantity=0.0, average=0.0):
        self.quantity = quantity    # positive long, negative short
        self.average = average


class Account:
    def __init__(self, settings, index):
        self.user = settings["user"]
        self.password_md5 = md5_hex(settings["password"])
        self.nickname = settings["nickname"]
        self.number = settings.get("code") or "SIM%06d" % (index + 1)
        self.proxy = bool(settings["proxy"])
        self.trading = bool(settings["trading"])
        self.currency = settings["currency"]
        self.cash = float(settings["cash"])
        self.positions = {}
        for held in settings["positions"]:
            self.positions[held["code"]] = Position(float(held["qty"]), float(held["price"]))
        self.unvalued = False       # the funds figures are sent as "no value"
        self.orders = []            # today's orders, oldest first
        self.history = []           # orders of earlier days, oldest first

    # --- money ---------------------------------------------------------------------------

    def traded_positions(self, market):
        """(code, position, instrument) of the positions in instruments of the quote servers.
        A stock given to the account ("hold") counts at its cost: no profit, no margin."""
        return [(code, position, market.instruments[code])
                for code, position in self.positions.items() if code in market.instruments]

    def unrealized(self, market):
        total = 0.0
        for code, position, instrument in self.traded_positions(market):
            total += (market.last(code) - position.average) * position.quantity * instrument.multiplier
        return total

    def margin_in_use(self, market):
        total = 0.0
        for code, position, instrument in self.traded_positions(market):
            notional = abs(position.quantity) * market.last(code) * instrument.multiplier
            total += notional * instrument.margin_rate
        return total

    def opening_margin(self, market, code, signed_quantity, price):
        """Margin that a trade of signed_quantity would add beyond what it closes."""
        instrument = market.instruments[code]
        held = self.positions.get(code, Position()).quantity
        if held * signed_quantity < 0:
            opening = max(0.0, abs(signed_quantity) - abs(held))
        else:
            opening = abs(signed_quantity)
        return opening * price * instrument.multiplier * instrument.margin_rate

    def frozen(self, market):
        """Margin reserved for open orders."""
        total = 0.0
        for order in self.orders:
            if order.is_open:
                price = order.price if order.kind == "L" else market.last(order.code)
                total += self.opening_margin(market, order.code, order.signed_remaining, price)
        return total

    def total_assets(self, market):
        return self.cash + self.unrealized(market)

    def available(self, market):
        return self.total_assets(market) - self.margin_in_use(market) - self.frozen(market)

    def summary(self, market):
        """Seven texts: total assets, initial margin, margin in use, available funds,
        liquidity, same-day round trips ("-1" unlimited), currency."""
        if self.unvalued:
            return [NO_VALUE] * 5 + ["-1", self.currency]
        total = self.total_assets(market)
        in_use = self.margin_in_use(market)
        frozen = self.frozen(market)
        return [money_text(total), money_text(in_use + frozen), money_text(in_use),
                money_text(total - in_use - frozen), money_text(total - in_use), "-1",
                self.currency]

    # --- trades --------------------------------------------------------------------------

    def apply_fill(self, instrument, order, quantity, price):
        """Books a fill on the order and the position; returns nothing."""
        signed = quantity if order.side == "B" else -quantity
        position = self.positions.setdefault(instrument.code, Position())
        closed = 0.0
        points = 0.0
        if position.quantity == 0 or position.quantity * signed > 0:
            new_quantity = position.quantity + signed
            cost = abs(position.quantity) * position.average + quantity * price
            position.average = cost / abs(new_quantity)
            position.quantity = new_quantity
        else:
            closed = min(abs(position.quantity), quantity)
            direction = 1.0 if position.quantity > 0 else -1.0
            points = (price - position.average) * closed * direction
            position.quantity += closed if position.quantity < 0 else -closed
            rest = quantity - closed
            if abs(position.quantity) < EPSILON:
                position.quantity = 0.0
            if rest > EPSILON:
                position.quantity = rest if signed > 0 else -rest
                position.average = price
        fee = round(quantity * instrument.fee_per_unit, 2)
        self.cash += points * instrument.multiplier - fee
        order.filled += quantity
        order.amount += quantity * price
        order.fee += fee
        order.profit_points += points
        order.closed += closed
        if closed > EPSILON:
            order.effect = CLOSING
        elif not order.effect:
            order.effect = OPENING
        if order.remaining <= EPSILON:
            order.state = FILLED

    def find_order(self, oid):
        for order in self.orders:
            if order.oid == oid:
                return order
        return None

    def drop_flat(self, code):
        position = self.positions.get(code)
        if position is not None and position.quantity == 0:
            del self.positions[code]


def generate_history(account, market, today, days, seed, first_oid):
    """Settled orders of the days before today, the same for the same seed and user."""
    rng = random.Random("%s/%s" % (seed, account.user))
    codes = list(market.instruments)
    oid = first_oid
    history = []
    for back in range(days, 0, -1):
        day = today - datetime.timedelta(days=back)
        if day.weekday() >= 5:
            continue
        for _ in range(rng.randint(0, 3)):
            instrument = market.instruments[rng.choice(codes)]
            lots = rng.choice([0.1, 0.2, 0.5, 1]) if instrument.lot_units > 1 else rng.randint(1, 3)
            quantity = float(round(lots * instrument.lot_units))
            price = instrument.round_price(instrument.start_price * (1 + rng.uniform(-0.02, 0.02)))
            moment = datetime.datetime.combine(
                day, datetime.time(rng.randint(8, 22), rng.randint(0, 59), rng.randint(0, 59)))
            client_ref = "%d%d" % (rng.randint(0, 9999), rng.randint(100000, 999999))
            order = Order(str(oid), client_ref, instrument.code, rng.choice("BS"), rng.choice("ML"),
                          price, quantity, moment)
            oid += 1
            roll = rng.random()
            if roll < 0.8:
                order.state = FILLED
                order.filled = quantity
                order.amount = quantity * price
                order.fee = round(quantity * instrument.fee_per_unit, 2)
                if rng.random() < 0.5:
                    order.effect = OPENING
                else:
                    order.effect = CLOSING
                    order.closed = quantity
                    order.profit_points = rng.randint(-40, 40) * instrument.tick * quantity
            elif roll < 0.95:
                order.state = CANCELLED
            else:
                order.state = INACTIVE
            if order.kind == "M":
                order.price = 0.0
            history.append(order)
        history.sort(key=lambda item: item.created)
    account.history = history
    return oid
