"""The control channel: one command per line, one answer line per command.

Answers are "OK", "OK <payload>" or "ERR <reason>"; payloads are JSON written in ASCII only,
so that a test may read them whatever its own code page. Commands arrive in UTF-8 or GBK.
"""

import asyncio
import binascii
import json
import logging
import sys
import threading

from . import KINDS, records
from .account import CANCELLED, INACTIVE, quantity_text
from .clock import parse_time
from .faults import SPLIT_HOLD, SPLIT_OFF, SPLIT_ON
from .http_services import FAULT_MODES, FaultRule
from .wire import FRAMINGS

log = logging.getLogger("tolvansim.control")

HELP = """\
ports | status | sessions | help | quit | reset
drop <kind|all> [reset]            close the kind's connections (reset: with RST)
samelogin <kind|all>               send "SameLogin"
update <kind|all>                  send "loginresult@status:-2"
garbage <kind|all> [<hex>]         send bytes that hold no frame marker
send <kind|all> <text>             send a record with the kind's framing
sendraw <kind|all> <hex>           send raw bytes
split <kind|all> on|hold|off [<offset>]
stall <kind|all> on|off
framing <kind|all> caret|hash
refuse <kind|all> on|off           refuse logins
dropat <kind|all> <command> [after] | dropat <kind|all> off
                                   close the kind's connections at its next such request
                                   (after: once it is answered), once
deny <kind|all> <command> on|off|<n>
                                   answer such requests "status:-1" (the next n only)
tick [<count> | <code>...]         move prices now
manual on|off | interval <ms>
set price <code> <price>
fill <oid> [<price> [<qty>]] | cancel <oid> | reject <oid>
order <user> <code> B|S <qty> [<price> [M|L|S]]
hold <user> <code> <qty> <price>   give the account a net position (a stock too; 0 closes)
cash <user> <amount> | account <user> | orders <user>
novalue <user> on|off              send the user's funds figures as "no value" (pushed at once)
requests <kind> [<count>] | clear requests
refusals [<count>]                 requests refused for their form, with the reason
clock <YYYY-MM-DD HH:MM:SS>|real
http fault <path prefix|all> fail|garbage|empty|stall|drop|truncate|code <n>|delay <ms> [times <n>]
http clear [<path prefix>] | http status | http held | http requests [<count>] | http clearlog
http token on|off | http notice on|off | http version CSM|HKS <n>
http update version <n> | http update file <name> <version> <text> | http statistics
http marketday <YYYYMMDD> open|closed|auto | http tick [<count>] | http price <code> <price>"""

GARBAGE = b"\xfe\xfd GARBAGE \x00\x01 no frame marker here \xa1\xa1 ~ ^ | [ ]\r\n"


class CommandError(Exception):
    pass


def _ok(payload=None):
    if payload is None:
        return "OK"
    if isinstance(payload, str):
        return "OK " + payload
    return "OK " + json.dumps(payload, sort_keys=True, ensure_ascii=True)


def _number(text, what):
    try:
        return float(text)
    except ValueError:
        raise CommandError("%s %r is not a number" % (what, text)) from None


def _switch(text):
    if text not in ("on", "off"):
        raise CommandError("expected on or off, not %r" % text)
    return text == "on"


class ControlChannel:
    def __init__(self, sim):
        self.sim = sim

    async def start(self, host, port):
        return await asyncio.start_server(self._serve_client, host, port)

    async def _serve_client(self, reader, writer):
        try:
            while True:
                line = await reader.readline()
                if not line:
                    break
                answer = self.execute_bytes(line)
                writer.write(answer.encode("ascii", errors="backslashreplace") + b"\n")
                await writer.drain()
                if answer == "OK bye":
                    self.sim.request_stop()
                    break
        except (ConnectionError, OSError, asyncio.CancelledError):
            pass
        finally:
            writer.close()

    def read_stdin(self, loop):
        """Serves commands from standard input on a thread; answers go to standard output.
        The end of the input stops the simulator."""
        def pump():
            for line in sys.stdin.buffer:
                future = asyncio.run_coroutine_threadsafe(self._execute_async(line), loop)
                answer = future.result()
                print(answer, flush=True)
                if answer == "OK bye":
                    break
            # The end of standard input is the end of whoever started us.
            loop.call_soon_threadsafe(self.sim.request_stop)
        threading.Thread(target=pump, name="stdin-control", daemon=True).start()

    async def _execute_async(self, line):
        return self.execute_bytes(line)

    def execute_bytes(self, line):
        try:
            text = line.decode("utf-8")
        except UnicodeDecodeError:
            text = line.decode("gbk", errors="replace")
        return self.execute(text.strip("\r\n"))

    def execute(self, line):
        words = line.split()
        if not words:
            return "ERR empty command"
        try:
            handler = getattr(self, "_cmd_" + words[0].lower().replace("-", "_"), None)
            if handler is None:
                raise CommandError("unknown command %r (try help)" % words[0])
            return handler(words[1:], line)
        except CommandError as error:
            return "ERR %s" % error
        except Exception as error:  # a command must never take the simulator down
            log.exception("control command %r failed", line)
            return "ERR %s" % error

    # --- helpers -------------------------------------------------------------------------

    def _kinds(self, word):
        if word == "all":
            return list(KINDS)
        if word not in KINDS:
            raise CommandError("unknown kind %r (kinds: %s, all)" % (word, ", ".join(KINDS)))
        return [word]

    def _sessions(self, word):
        kinds = self._kinds(word)
        return [session for session in self.sim.sessions_of("all") if session.role in kinds]

    def _need(self, args, count, usage):
        if len(args) < count:
            raise CommandError("usage: " + usage)

    def _account(self, user):
        account = self.sim.broker.account(user)
        if account is None:
            raise CommandError("no account %r" % user)
        return account

    # --- information ---------------------------------------------------------------------

    def _cmd_help(self, args, line):
        return _ok(HELP.replace("\n", " ; "))

    def _cmd_ports(self, args, line):
        return _ok(self.sim.ports)

    def _cmd_sessions(self, args, line):
        return _ok([session.describe() for session in self.sim.sessions_of("all")])

    def _cmd_status(self, args, line):
        sim = self.sim
        return _ok({"manual": sim.manual, "tick_ms": sim.tick_ms,
                    "faults": {kind: state.describe() for kind, state in sim.faults.items()},
                    "sessions": [session.describe() for session in sim.sessions_of("all")]})

    def _cmd_requests(self, args, line):
        self._need(args, 1, "requests <kind> [<count>]")
        kinds = self._kinds(args[0])
        count = int(args[1]) if len(args) > 1 else 50
        texts = []
        for kind in kinds:
            texts += list(self.sim.requests[kind])
        return _ok(texts[-count:] if count > 0 else [])

    def _cmd_refusals(self, args, line):
        count = int(args[0]) if args else len(self.sim.refusals)
        refusals = list(self.sim.refusals)
        return _ok(refusals[-count:] if count > 0 else [])

    def _cmd_clear(self, args, line):
        if args != ["requests"]:
            raise CommandError("usage: clear requests")
        for log_ in self.sim.requests.values():
            log_.clear()
        return _ok()

    def _cmd_account(self, args, line):
        self._need(args, 1, "account <user>")
        account = self._account(args[0])
        market = self.sim.market
        summary = account.summary(market)
        return _ok({
            "user": account.user, "cash": round(account.cash, 2),
            "frozen": round(account.frozen(market), 2), "total": summary[0],
            "available": summary[3], "margin": summary[2],
            "positions": {code: {"qty": position.quantity, "avg": position.average}
                          for code, position in account.positions.items()},
            "orders": [self._order_json(order) for order in account.orders],
        })

    def _cmd_orders(self, args, line):
        self._need(args, 1, "orders <user>")
        return _ok([self._order_json(order) for order in self._account(args[0]).orders])

    @staticmethod
    def _order_json(order):
        return {"oid": order.oid, "cid": order.cid, "code": order.code, "side": order.side,
                "kind": order.kind, "price": order.price, "qty": order.quantity,
                "filled": order.filled, "state": order.state, "reason": order.reason}

    # --- connections ---------------------------------------------------------------------

    def _cmd_drop(self, args, line):
        self._need(args, 1, "drop <kind|all> [reset]")
        reset = len(args) > 1 and args[1] == "reset"
        sessions = self._sessions(args[0])
        for session in sessions:
            session.close(reset=reset)
        return _ok(str(len(sessions)))

    def _send_record(self, args, text):
        sessions = self._sessions(args[0])
        for session in sessions:
            session.send(text)
        return _ok(str(len(sessions)))

    def _cmd_samelogin(self, args, line):
        self._need(args, 1, "samelogin <kind|all>")
        return self._send_record(args, records.same_login())

    def _cmd_update(self, args, line):
        self._need(args, 1, "update <kind|all>")
        return self._send_record(args, records.update_required())

    def _cmd_send(self, args, line):
        self._need(args, 2, "send <kind|all> <text>")
        text = line.split(None, 2)[2]
        return self._send_record(args, text)

    def _cmd_garbage(self, args, line):
        self._need(args, 1, "garbage <kind|all> [<hex>]")
        data = self._hex(args[1]) if len(args) > 1 else GARBAGE
        return self._send_raw(args[0], data)

    def _cmd_sendraw(self, args, line):
        self._need(args, 2, "sendraw <kind|all> <hex>")
        return self._send_raw(args[0], self._hex("".join(args[1:])))

    @staticmethod
    def _hex(text):
        try:
            return binascii.unhexlify(text)
        except (binascii.Error, ValueError):
            raise CommandError("%r is not hexadecimal bytes" % text) from None

    def _send_raw(self, kind, data):
        sessions = self._sessions(kind)
        for session in sessions:
            session.send_raw(data)
        return _ok(str(len(sessions)))

    def _cmd_split(self, args, line):
        self._need(args, 2, "split <kind|all> on|hold|off [<offset>]")
        if args[1] not in (SPLIT_ON, SPLIT_HOLD, SPLIT_OFF):
            raise CommandError("split mode must be on, hold or off")
        offset = None
        if len(args) > 2:
            try:
                offset = int(args[2])
            except ValueError:
                raise CommandError("offset %r is not a whole number" % args[2]) from None
            if offset < 1:
                raise CommandError("offset must be at least 1")
        for kind in self._kinds(args[0]):
            self.sim.faults[kind].split = args[1]
            self.sim.faults[kind].split_at = offset
        return _ok()

    def _cmd_stall(self, args, line):
        self._need(args, 2, "stall <kind|all> on|off")
        stalled = _switch(args[1])
        for kind in self._kinds(args[0]):
            self.sim.faults[kind].set_stall(stalled)
        return _ok()

    def _cmd_framing(self, args, line):
        self._need(args, 2, "framing <kind|all> caret|hash")
        if args[1] not in FRAMINGS:
            raise CommandError("framing must be caret or hash")
        for kind in self._kinds(args[0]):
            self.sim.faults[kind].framing = args[1]
        return _ok()

    def _cmd_dropat(self, args, line):
        usage = "dropat <kind|all> <command> [after] | dropat <kind|all> off"
        self._need(args, 2, usage)
        if args[1] == "off":
            drop_at = None
        else:
            if len(args) > 2 and args[2] != "after":
                raise CommandError(usage)
            drop_at = (args[1], "after" if len(args) > 2 else "before")
        for kind in self._kinds(args[0]):
            self.sim.faults[kind].drop_at = drop_at
        return _ok()

    def _cmd_deny(self, args, line):
        usage = "deny <kind|all> <command> on|off|<n>"
        self._need(args, 3, usage)
        if args[2] in ("on", "off"):
            left = -1 if args[2] == "on" else 0
        else:
            left = int(_number(args[2], "count"))
            if left < 1:
                raise CommandError(usage)
        for kind in self._kinds(args[0]):
            self.sim.faults[kind].denials[args[1]] = left
        return _ok()

    def _cmd_refuse(self, args, line):
        self._need(args, 2, "refuse <kind|all> on|off")
        refuse = _switch(args[1])
        for kind in self._kinds(args[0]):
            self.sim.faults[kind].refuse = refuse
        return _ok()

    # --- market --------------------------------------------------------------------------

    def _cmd_tick(self, args, line):
        sim = self.sim
        if not args:
            return _ok(sim.tick())
        if len(args) == 1 and args[0].isdigit():
            changed = []
            for _ in range(int(args[0])):
                changed = sim.tick()
            return _ok(changed)
        for code in args:
            if code not in sim.market.instruments:
                raise CommandError("unknown code %r" % code)
        return _ok(sim.tick(list(args)))

    def _cmd_manual(self, args, line):
        self._need(args, 1, "manual on|off")
        self.sim.manual = _switch(args[0])
        return _ok()

    def _cmd_interval(self, args, line):
        self._need(args, 1, "interval <ms>")
        value = int(_number(args[0], "interval"))
        if value < 10:
            raise CommandError("interval must be at least 10 ms")
        self.sim.tick_ms = value
        return _ok()

    def _cmd_set(self, args, line):
        if len(args) != 3 or args[0] != "price":
            raise CommandError("usage: set price <code> <price>")
        code = args[1]
        if code not in self.sim.market.instruments:
            raise CommandError("unknown code %r" % code)
        price = _number(args[2], "price")
        if price <= 0:
            raise CommandError("price must be above 0")
        self.sim.set_price(code, price)
        instrument = self.sim.market.instruments[code]
        return _ok(instrument.format_price(self.sim.market.last(code)))

    def _cmd_clock(self, args, line):
        self._need(args, 1, "clock <YYYY-MM-DD HH:MM:SS>|real")
        if args[0] == "real":
            self.sim.clock.unfreeze()
        else:
            try:
                self.sim.clock.freeze(parse_time(" ".join(args)))
            except ValueError as error:
                raise CommandError(str(error)) from None
        return _ok(self.sim.clock.now().strftime("%Y-%m-%d %H:%M:%S"))

    # --- accounts ------------------------------------------------------------------------

    def _cmd_fill(self, args, line):
        self._need(args, 1, "fill <oid> [<price> [<qty>]]")
        price = _number(args[1], "price") if len(args) > 1 else None
        quantity = _number(args[2], "quantity") if len(args) > 2 else None
        try:
            order = self.sim.broker.force_fill(args[0], price, quantity)
        except (KeyError, ValueError) as error:
            raise CommandError(str(error).strip("'")) from None
        return _ok(self._order_json(order))

    def _cmd_cancel(self, args, line):
        return self._force(args, CANCELLED, "cancel <oid>")

    def _cmd_reject(self, args, line):
        return self._force(args, INACTIVE, "reject <oid>")

    def _force(self, args, state, usage):
        self._need(args, 1, usage)
        try:
            order = self.sim.broker.force_state(args[0], state)
        except (KeyError, ValueError) as error:
            raise CommandError(str(error).strip("'")) from None
        return _ok(self._order_json(order))

    def _cmd_order(self, args, line):
        usage = "order <user> <code> B|S <qty> [<price> [M|L|S]]"
        self._need(args, 4, usage)
        user, code, side, quantity = args[:4]
        self._account(user)
        price = args[4] if len(args) > 4 else ""
        kind = args[5] if len(args) > 5 else ("L" if price else "M")
        client_ref = "%d" % (900000000 + self.sim.broker.next_oid)
        texts = "%s|%s|%s|%s|%s|%s|" % (code, price, quantity, side, kind, client_ref)
        order = self.sim.broker.place_order(user, texts)
        return _ok(self._order_json(order))

    def _cmd_hold(self, args, line):
        usage = "hold <user> <code> <qty> <price>"
        self._need(args, 4, usage)
        user, code = args[:2]
        self._account(user)
        quantity = _number(args[2], "quantity")
        price = _number(args[3], "price")
        if quantity != 0 and price <= 0:
            raise CommandError("price must be above 0")
        try:
            self.sim.broker.hold(user, code, quantity, price)
        except KeyError:
            raise CommandError("unknown code %r" % code) from None
        return _ok(quantity_text(quantity))

    def _cmd_cash(self, args, line):
        self._need(args, 2, "cash <user> <amount>")
        account = self._account(args[0])
        account.cash = _number(args[1], "amount")
        for session in self.sim.order_sessions(account, None):
            session.send(records.summary(account.summary(self.sim.market)))
        return _ok(quantity_text(account.cash))

    def _cmd_novalue(self, args, line):
        self._need(args, 2, "novalue <user> on|off")
        account = self._account(args[0])
        account.unvalued = _switch(args[1])
        for session in self.sim.order_sessions(account, None):
            session.send(records.summary(account.summary(self.sim.market)))
        return _ok()

    # --- HTTP services -------------------------------------------------------------------

    def _cmd_http(self, args, line):
        self._need(args, 1, "http fault|clear|status|held|requests|clearlog|token|notice|version|"
                            "marketday|tick|price|update|statistics ...")
        handler = getattr(self, "_http_" + args[0].lower(), None)
        if handler is None:
            raise CommandError("unknown http command %r (try help)" % args[0])
        return handler(args[1:])

    def _http_fault(self, args):
        usage = "http fault <path prefix|all> <mode> [<argument>] [times <n>]"
        self._need(args, 2, usage)
        prefix = "/" if args[0] == "all" else args[0]
        if not prefix.startswith("/"):
            raise CommandError("a path prefix begins with /")
        mode = args[1]
        if mode not in FAULT_MODES:
            raise CommandError("mode must be one of %s" % ", ".join(FAULT_MODES))
        rest = args[2:]
        argument = None
        if mode in ("code", "delay"):
            self._need(rest, 1, usage)
            argument = int(_number(rest[0], mode))
            rest = rest[1:]
        times = None
        if rest:
            if len(rest) != 2 or rest[0] != "times":
                raise CommandError("usage: " + usage)
            times = int(_number(rest[1], "times"))
            if times < 1:
                raise CommandError("times must be at least 1")
        self.sim.http.faults.set(FaultRule(prefix, mode, argument, times))
        return _ok()

    def _http_clear(self, args):
        prefix = None
        if args:
            prefix = "/" if args[0] == "all" else args[0]
        self.sim.http.faults.clear(prefix)
        return _ok()

    def _http_status(self, args):
        http = self.sim.http
        return _ok({"faults": [rule.describe() for rule in http.faults.rules.values()],
                    "token_check": http.check_tokens, "notice": http.notice_on,
                    "versions": self.sim.stocks.versions,
                    "market_days": {day: ("open" if state else "closed")
                                    for day, state in http.market_days.items()}})

    def _http_held(self, args):
        return _ok(sorted(self.sim.http.held))

    def _http_requests(self, args):
        count = int(_number(args[0], "count")) if args else 50
        entries = list(self.sim.http.log)
        return _ok(entries[-count:] if count > 0 else [])

    def _http_clearlog(self, args):
        self.sim.http.log.clear()
        return _ok()

    def _http_token(self, args):
        self._need(args, 1, "http token on|off")
        self.sim.http.check_tokens = _switch(args[0])
        return _ok()

    def _http_notice(self, args):
        self._need(args, 1, "http notice on|off")
        self.sim.http.notice_on = _switch(args[0])
        return _ok()

    def _http_version(self, args):
        self._need(args, 2, "http version CSM|HKS <n>")
        market = args[0].upper()
        if market not in self.sim.stocks.versions:
            raise CommandError("market must be CSM or HKS")
        self.sim.stocks.versions[market] = int(_number(args[1], "version"))
        return _ok(str(self.sim.stocks.versions[market]))

    def _http_update(self, args):
        self._need(args, 2, "http update version <n> | http update file <name> <version> <text>")
        login = self.sim.http.login
        if args[0] == "version":
            login.update_version = int(_number(args[1], "version"))
            return _ok(str(login.update_version))
        if args[0] == "file":
            self._need(args, 4, "http update file <name> <version> <text>")
            login.update_files[args[1]] = (int(_number(args[2], "version")), " ".join(args[3:]).encode("gbk"))
            return _ok()
        raise CommandError("http update version|file ...")

    def _http_statistics(self, args):
        return _ok(list(self.sim.http.login.statistics))

    def _http_marketday(self, args):
        self._need(args, 2, "http marketday <YYYYMMDD> open|closed|auto")
        day = args[0]
        if len(day) != 8 or not day.isdigit():
            raise CommandError("the day is YYYYMMDD")
        if args[1] == "auto":
            self.sim.http.market_days.pop(day, None)
        elif args[1] in ("open", "closed"):
            self.sim.http.market_days[day] = args[1] == "open"
        else:
            raise CommandError("expected open, closed or auto")
        return _ok()

    def _http_tick(self, args):
        count = int(_number(args[0], "count")) if args else 1
        return _ok(str(self.sim.stocks.step(count)))

    def _http_price(self, args):
        self._need(args, 2, "http price <code> <price>")
        stock = self.sim.stocks.find_any(args[0])
        if stock is None:
            raise CommandError("unknown stock %r" % args[0])
        price = _number(args[1], "price")
        if price <= 0:
            raise CommandError("price must be above 0")
        self.sim.stocks.move(stock, price)
        return _ok(stock.price_text(stock.last))

    # --- life ----------------------------------------------------------------------------

    def _cmd_reset(self, args, line):
        self.sim.reset()
        return _ok()

    def _cmd_quit(self, args, line):
        return "OK bye"

