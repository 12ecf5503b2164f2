"""The broker: accounts, order handling and matching against the simulated prices.

Nothing here knows about sockets. Every change that a terminal must hear of goes to the
router (the simulator), which decides which connections receive it:
  router.order_event(account, order, origin)       an order report
  router.account_event(account, codes, origin)     positions of codes and the funds changed
  router.refuse(kind, text, reason)                a ticket not in the terminal's form
"""

import logging
import math

from . import forms, records
from .account import (Account, Order, Position, CANCELLED, INACTIVE, KIND_DIGIT, KIND_WORD,
                      SIDE_DIGIT, SIDE_WORD, STATE_LETTER, EPSILON, generate_history,
                      money_text, quantity_text)

log = logging.getLogger("tolvansim.broker")

FIRST_ORDER_ID = 100001
FIRST_HISTORY_ID = 500001

# "querystateorders@" kinds.
STATE_FILLS = 1
STATE_OPEN = 2
STATE_ALL = 6          # every other kind number lists all orders too

STOCK_CURRENCY = {"CSM": "CNY", "HKS": "HKD"}


def _number(text):
    try:
        value = float(text)
    except (TypeError, ValueError):
        return None
    return value if math.isfinite(value) else None


class Broker:
    def __init__(self, config, market, clock, router, stocks=None):
        self.config = config
        self.market = market
        self.stocks = stocks        # the stocks an account may be given ("hold"); not traded
        self.clock = clock
        self.router = router
        self.accounts = {}
        self.next_oid = FIRST_ORDER_ID
        next_history = FIRST_HISTORY_ID
        today = clock.now().date()
        for index, settings in enumerate(config["accounts"]):
            account = Account(settings, index)
            next_history = generate_history(account, market, today, config["history_days"],
                                            config["seed"], next_history)
            self.accounts[account.user] = account

    # --- lookups -------------------------------------------------------------------------

    def account(self, user):
        return self.accounts.get(user)

    def find_order(self, oid):
        for account in self.accounts.values():
            order = account.find_order(oid)
            if order is not None:
                return account, order
        return None, None

    def clients(self):
        return [account for account in self.accounts.values()
                if not account.proxy and account.trading]

    # --- orders --------------------------------------------------------------------------

    @staticmethod
    def parse_order_args(args):
        """"code|price|qty|side|kind|cid|" -> dict of the six texts (missing ones empty)."""
        fields = args.split("|")
        fields += [""] * (6 - len(fields))
        return dict(zip(("code", "price", "quantity", "side", "kind", "cid"), fields[:6]))

    def read_ticket(self, command, args, origin):
        """The six texts of a ticket and, for one not in the terminal's form, why not.

        A malformed ticket is refused like one the broker cannot take (the terminal hears of
        it as an order report), and the refusal is recorded as well.
        """
        try:
            return forms.order_ticket(args), ""
        except forms.Refused as error:
            if origin is not None:
                self.router.refuse(origin.role, command + "@" + args, str(error))
            return self.parse_order_args(args), "malformed ticket: %s" % error

    def check_order(self, account, texts):
        """Returns (reason or "", code, side, kind, price, quantity) for an order ticket."""
        code, side, kind = texts["code"], texts["side"], texts["kind"]
        quantity = _number(texts["quantity"])
        price = _number(texts["price"]) if kind != "M" else 0.0
        if not account.trading:
            reason = "account has no trading rights"
        elif code not in self.market.instruments:
            reason = "unknown code %r" % code
        elif side not in SIDE_WORD:
            reason = "side %r is neither B nor S" % side
        elif kind not in KIND_WORD:
            reason = "order type %r is none of M, L, S" % kind
        elif quantity is None or quantity <= 0:
            reason = "quantity %r is not above 0" % texts["quantity"]
        elif price is None or (kind != "M" and price <= 0):
            reason = "price %r is not above 0" % texts["price"]
        else:
            reason = ""
        return reason, code, side, kind, price or 0.0, quantity or 0.0

    def place_order(self, user, args, origin=None):
        account = self.accounts[user]
        texts, malformed = self.read_ticket("neworder", args, origin)
        reason, code, side, kind, price, quantity = self.check_order(account, texts)
        reason = malformed or reason
        order = Order(str(self.next_oid), texts["cid"], code, side, kind, price, quantity,
                      self.clock.now())
        self.next_oid += 1
        if not reason:
            fill_price = price if kind == "L" else self.market.last(code)
            needed = account.opening_margin(self.market, code,
                                            quantity if side == "B" else -quantity, fill_price)
            if needed > account.available(self.market) + EPSILON:
                reason = "insufficient funds: %.2f needed, %.2f available" % (
                    needed, account.available(self.market))
        account.orders.append(order)
        if reason:
            order.state = INACTIVE
            order.reason = reason
            log.info("order %s of %s refused: %s", order.oid, user, reason)
            self.router.order_event(account, order, origin)
            return order
        log.info("order %s of %s: %s %s %s @ %s", order.oid, user, SIDE_WORD[side],
                 quantity_text(quantity), code, texts["price"] or "market")
        self.router.order_event(account, order, origin)
        self._try_execute(account, order, origin, arriving=True)
        return order

    def pre_check(self, user, args, origin=None):
        """Values of the "PreOrderInfo" reply for an order that is not placed."""
        account = self.accounts[user]
        texts, malformed = self.read_ticket("preneworder", args, origin)
        reason, code, side, kind, price, quantity = self.check_order(account, texts)
        reason = malformed or reason
        values = {"oid": "0", "cid": texts["cid"], "fnum": "0", "ty": KIND_WORD.get(kind, ""),
                  "an": SIDE_WORD.get(side, ""), "ot": self._time_text(self.clock.now()),
                  "cn": code, "qy": texts["quantity"]}
        initial_margin = account.margin_in_use(self.market) + account.frozen(self.market)
        if reason:
            values.update(st="unablesubmit", mg="0.00", im=money_text(initial_margin))
            return values
        instrument = self.market.instruments[code]
        fill_price = price if kind == "L" else self.market.last(code)
        needed = account.opening_margin(self.market, code,
                                        quantity if side == "B" else -quantity, fill_price)
        able = needed <= account.available(self.market) + EPSILON
        values.update(st="ablesubmit" if able else "unablesubmit",
                      mg=money_text(quantity * instrument.fee_per_unit),
                      im=money_text(initial_margin + needed))
        return values

    def cancel_order(self, user, oid, origin=None):
        """Cancels an open order; an order already final is reported as it stands."""
        account = self.accounts[user]
        order = account.find_order(oid)
        if order is None:
            log.info("cancel of unknown order %r by %s ignored", oid, user)
            return None
        if order.is_open:
            order.state = CANCELLED
            log.info("order %s of %s cancelled", order.oid, user)
        self.router.order_event(account, order, origin)
        return order

    def force_fill(self, oid, price=None, quantity=None):
        """Fills an open order now (the control command "fill")."""
        account, order = self.find_order(oid)
        if order is None:
            raise KeyError("no order %s" % oid)
        if not order.is_open:
            raise ValueError("order %s is %s" % (oid, order.state))
        instrument = self.market.instruments[order.code]
        fill_price = instrument.round_price(price) if price is not None else self.market.last(order.code)
        amount = order.remaining if quantity is None else min(quantity, order.remaining)
        self._fill(account, order, amount, fill_price, None)
        return order

    def force_state(self, oid, state):
        account, order = self.find_order(oid)
        if order is None:
            raise KeyError("no order %s" % oid)
        if not order.is_open:
            raise ValueError("order %s is %s" % (oid, order.state))
        order.state = state
        self.router.order_event(account, order, None)
        return order

    def on_prices(self, codes):
        """Executes resting orders whose price the market has now crossed."""
        changed = set(codes)
        for account in list(self.accounts.values()):
            for order in list(account.orders):
                if order.is_open and order.code in changed:
                    self._try_execute(account, order, None, arriving=False)

    def _try_execute(self, account, order, origin, arriving):
        last = self.market.last(order.code)
        if order.kind == "M":
            self._fill(account, order, order.remaining, last, origin)
        elif order.kind == "L":
            crossed = last <= order.price if order.side == "B" else last >= order.price
            if crossed:
                # An order that crosses on arrival trades at the market; a resting one at its limit.
                self._fill(account, order, order.remaining, last if arriving else order.price, origin)
        else:
            triggered = last >= order.price if order.side == "B" else last <= order.price
            if triggered:
                self._fill(account, order, order.remaining, last, origin)

    def _fill(self, account, order, quantity, price, origin):
        instrument = self.market.instruments[order.code]
        account.apply_fill(instrument, order, quantity, price)
        log.info("order %s of %s filled %s @ %s", order.oid, account.user,
                 quantity_text(quantity), instrument.format_price(price))
        self.router.order_event(account, order, origin)
        self.router.account_event(account, [order.code], origin)
        account.drop_flat(order.code)

    # --- replies -------------------------------------------------------------------------

    def _time_text(self, moment):
        return moment.strftime("%Y-%m-%d %H:%M:%S")

    def order_values(self, order):
        """The twelve keyed values of an "OrderInfo" record."""
        instrument = self.market.instruments.get(order.code)
        price_text = instrument.format_price(order.price) if instrument else "%g" % order.price
        return {
            "cid": order.cid,
            "fnum": quantity_text(order.filled),
            "mg": money_text(order.fee) if order.filled > 0 else "",
            "oid": order.oid,
            "ps": self._amount_text(instrument, order.amount),
            "st": order.state,
            "ty": KIND_WORD.get(order.kind, ""),
            "an": SIDE_WORD.get(order.side, ""),
            "ot": self._time_text(order.created),
            "cn": order.code,
            "qy": quantity_text(order.quantity),
            "op": price_text,
        }

    def _amount_text(self, instrument, amount):
        decimals = instrument.decimals + 2 if instrument else 4
        return "%.*f" % (decimals, amount)

    def position_item(self, account, code):
        """One "PositionResult" item: code|name|exchange, side, quantity, cost, multiplier,
        currency."""
        name, exchange, decimals, multiplier, currency = self.holding_terms(code)
        position = account.positions.get(code)
        quantity = position.quantity if position else 0.0
        average = position.average if position else 0.0
        head = "%s|%s|%s" % (code, name, exchange)
        return records.list_item(head, [
            "0" if quantity >= 0 else "1",
            quantity_text(abs(quantity)),
            "%.*f" % (decimals + 2, average),
            "%g" % multiplier,
            currency,
        ])

    def holding_terms(self, code):
        """Name, exchange, price decimals, multiplier and currency of a code an account may
        hold: an instrument of the quote servers, or a stock (its market key as the exchange,
        one share per unit, in the market's currency)."""
        instrument = self.market.instruments.get(code)
        if instrument is not None:
            return (instrument.name, instrument.exchange, instrument.decimals,
                    instrument.multiplier, instrument.currency)
        stock = self.stocks.find_any(code) if self.stocks is not None else None
        if stock is None:
            raise KeyError(code)
        return stock.name, stock.market, stock.decimals, 1.0, STOCK_CURRENCY[stock.market]

    def hold(self, user, code, quantity, average):
        """Gives the account a net position (0 closes it) as if it had traded there, and tells
        its order connections as after a fill."""
        self.holding_terms(code)
        account = self.accounts[user]
        account.positions[code] = Position(quantity, average if quantity else 0.0)
        self.router.account_event(account, [code], None)
        account.drop_flat(code)

    def positions_reply(self, account):
        items = [self.position_item(account, code) for code in sorted(account.positions)
                 if account.positions[code].quantity != 0]
        return records.position_list(items)

    def order_item(self, order):
        """One "SubmittedOrdersResult" item with its fifteen values."""
        instrument = self.market.instruments.get(order.code)
        name = instrument.name if instrument else order.code
        exchange = instrument.exchange if instrument else ""
        price_text = instrument.format_price(order.price) if instrument else "%g" % order.price
        filled = order.filled > 0
        head = "%s|%s|%s" % (order.code, name, exchange)
        return records.list_item(head, [
            order.oid,
            SIDE_DIGIT.get(order.side, ""),
            price_text,
            quantity_text(order.quantity),
            order.created.strftime("%Y%m%d"),
            order.created.strftime("%H:%M:%S"),
            self._amount_text(instrument, order.amount),
            money_text(order.fee),
            KIND_DIGIT.get(order.kind, ""),
            quantity_text(order.filled),
            STATE_LETTER.get(order.state, ""),
            ("%.*f" % (instrument.decimals + 2 if instrument else 4, order.profit_points)) if filled else "",
            quantity_text(order.closed) if filled and order.closed > 0 else "",
            order.effect if filled else "",
        ])

    def state_orders_reply(self, account, kind):
        orders = account.orders
        if kind == STATE_OPEN:
            orders = [order for order in orders if order.is_open]
        elif kind == STATE_FILLS:
            orders = [order for order in orders if order.filled > 0]
        return records.orders_list([self.order_item(order) for order in orders])

    def date_orders_reply(self, account, kind, first, last, page):
        """One page of the orders placed between two dates (both included), oldest first."""
        orders = [order for order in account.history + account.orders
                  if first <= order.created.date() <= last]
        if kind == STATE_OPEN:
            orders = [order for order in orders if order.is_open]
        elif kind == STATE_FILLS:
            orders = [order for order in orders if order.filled > 0]
        size = self.config["history_page_size"]
        page = max(1, page)
        chosen = orders[(page - 1) * size:page * size]
        return records.orders_list([self.order_item(order) for order in chosen])

    def client_items(self):
        """"ClientResult" items: account, name, total assets, available funds, margin in
        use, positions held, open orders, status ("1" active), currency."""
        items = []
        for account in self.clients():
            open_orders = sum(1 for order in account.orders if order.is_open)
            held = sum(1 for position in account.positions.values() if position.quantity != 0)
            summary = account.summary(self.market)
            items.append("[%s]" % "#".join([account.user, account.nickname, summary[0],
                                            summary[3], summary[2], str(held),
                                            str(open_orders), "1", account.currency]))
        return items

    def change_password(self, user, current_md5, new_md5):
        """"1" changed, "-2" current password wrong; both digests are in the terminal's form."""
        account = self.accounts[user]
        if current_md5 != account.password_md5:
            return "-2"
        account.password_md5 = new_md5
        log.info("password of %s changed", user)
        return "1"

