"""The simulator process: servers, routing of replies, the price clock and the command line."""

import argparse
import asyncio
import collections
import json
import logging
import os
import signal
import sys

from . import KINDS, SERVER_TYPE, config as configuration, forms, records
from .broker import Broker
from .clock import Clock
from .control import ControlChannel
from .faults import FaultState
from .http_services import HttpServices
from .market import Market
from .session import Session
from .stocks import StockMarket
from .wire import login_digest, mark_digest, md5_hex

log = logging.getLogger("tolvansim")

# Fixed sessions of the trade servers: (kind, registered name, title, login range).
TRADE_SERVERS = (
    ("trade", "TRADE", "模拟交易服务器", "TRD"),
    ("query", "QUERY", "模拟查询服务器", "QRY"),
    ("proxytrade", "PROXYTRADE", "模拟代理交易服务器", "PTRD"),
    ("proxyquery", "PROXYQUERY", "模拟代理查询服务器", "PQRY"),
)

REQUEST_LOG_SIZE = 500
REFUSAL_LOG_SIZE = 500
REFUSED_TEXT_SIZE = 400


class ServerEntry:
    """One server of a user's "#markserver:" list and what a login on it serves."""

    def __init__(self, name, role, scope, text):
        self.name = name
        self.role = role
        self.scope = scope
        self.text = text


class Simulator:
    def __init__(self, config):
        self.config = config
        self.ports = {}
        self.sessions = []
        self.servers = []
        self.faults = {kind: FaultState(config["framing"][kind]) for kind in KINDS}
        self.requests = {kind: collections.deque(maxlen=REQUEST_LOG_SIZE) for kind in KINDS}
        self.refusals = collections.deque(maxlen=REFUSAL_LOG_SIZE)
        self.manual = bool(config["manual_ticks"])
        self.tick_ms = config["tick_ms"]
        self.clock = Clock(config.get("clock"), config["utc_offset_hours"])
        self.stopped = None
        self._tick_task = None
        self.http = HttpServices(self)
        self.control = ControlChannel(self)
        self._build_world()

    def _build_world(self):
        self.market = Market(self.config["sectors"], self.config["seed"])
        self.stocks = StockMarket(self.config["seed"], self.config["csm_stocks"],
                                  self.config["hks_stocks"], self.clock)
        self.broker = Broker(self.config, self.market, self.clock, self, self.stocks)

    # --- life ----------------------------------------------------------------------------

    async def start(self):
        """Opens every port; afterwards self.ports holds the port of each kind."""
        self.stopped = asyncio.Event()
        host = self.config["host"]
        for kind in KINDS:
            server = await asyncio.start_server(
                lambda reader, writer, kind=kind: self._accept(kind, reader, writer),
                host, self.config["ports"][kind])
            self.servers.append(server)
            self.ports[kind] = server.sockets[0].getsockname()[1]
        if self.config["ports"]["control"] >= 0:
            server = await self.control.start(host, self.config["ports"]["control"])
            self.servers.append(server)
            self.ports["control"] = server.sockets[0].getsockname()[1]
        if self.config["ports"]["http"] >= 0:
            server = await self.http.start(host, self.config["ports"]["http"])
            self.servers.append(server)
            self.ports["http"] = server.sockets[0].getsockname()[1]
        self._tick_task = asyncio.ensure_future(self._tick_loop())

    def ready_line(self):
        return "SIM READY " + json.dumps(self.ports, sort_keys=True)

    def request_stop(self):
        if self.stopped is not None:
            self.stopped.set()

    async def run_until_stopped(self):
        await self.stopped.wait()
        await self.shutdown()

    async def shutdown(self):
        if self._tick_task is not None:
            self._tick_task.cancel()
        for server in self.servers:
            server.close()
        for session in list(self.sessions):
            session.close()
        # Connection handlers (sessions, control and HTTP clients) end with the process.
        current = asyncio.current_task()
        tasks = [task for task in asyncio.all_tasks() if task is not current]
        for task in tasks:
            task.cancel()
        await asyncio.gather(*tasks, return_exceptions=True)
        for server in self.servers:
            await server.wait_closed()

    async def _accept(self, kind, reader, writer):
        session = Session(self, kind, reader, writer)
        self.sessions.append(session)
        try:
            await session.run()
        except asyncio.CancelledError:
            # Shutdown; ending normally keeps asyncio from reporting the handler as failed.
            session.close()

    def forget_session(self, session):
        if session in self.sessions:
            self.sessions.remove(session)

    def sessions_of(self, kind):
        """Open sessions whose current role is kind ("all" for every session)."""
        return [session for session in self.sessions
                if not session.closed and (kind == "all" or session.role == kind)]

    # --- prices --------------------------------------------------------------------------

    async def _tick_loop(self):
        while True:
            await asyncio.sleep(self.tick_ms / 1000.0)
            if not self.manual:
                self.tick()

    def tick(self, codes=None):
        """One market step: publish the changed quotes and books, then match orders."""
        changed = self.market.step(codes)
        if codes is None:
            self.stocks.step()
        self.publish(changed)
        self.broker.on_prices(changed)
        self.push_funds(changed)
        return changed

    def set_price(self, code, price):
        self.market.set_price(code, price)
        self.publish([code])
        self.broker.on_prices([code])
        self.revalue([code])

    def revalue(self, codes):
        """A price move changes the value of the accounts that hold the codes: their order
        connections get the positions and the funds again, as after a fill."""
        for account in list(self.broker.accounts.values()):
            held = [code for code in codes if code in account.positions]
            if held:
                self.account_event(account, held, None)

    def push_funds(self, codes):
        """The funds of the accounts that hold one of the moved codes follow the prices, as the
        servers push them; the positions are not sent again (the terminal values them itself)."""
        for account in list(self.broker.accounts.values()):
            if any(code in account.positions for code in codes):
                text = records.summary(account.summary(self.market))
                for session in self.order_sessions(account, None):
                    session.send(text)

    def publish(self, codes, snapshot=False):
        if not codes:
            return
        for session in self.sessions_of("quote"):
            if session.user is None:
                continue
            mine = [code for code in codes if code in self.market.sector_codes.get(session.scope, ())]
            if mine:
                session.send(self.tick_record(mine, snapshot))
        for session in self.sessions_of("depth"):
            if session.user is not None and session.scope in codes:
                session.send(self.depth_record(session.scope))

    def tick_record(self, codes, snapshot=False):
        items = []
        for code in codes:
            instrument = self.market.instruments[code]
            quote = self.market.quotes[code]
            price = instrument.format_price
            if snapshot:
                items += [(code, "openPrice", price(quote.open)),
                          (code, "closePrice", price(quote.prev_close)),
                          (code, "highPrice", price(quote.high)),
                          (code, "lowPrice", price(quote.low)),
                          (code, "startTime", self.config["session_open"]),
                          (code, "stopTime", self.config["session_stop"])]
            items += [(code, "lP", price(quote.last)),
                      (code, "bP", price(quote.bid)),
                      (code, "aP", price(quote.ask)),
                      (code, "bS", str(quote.bid_size)),
                      (code, "aS", str(quote.ask_size)),
                      (code, "volume", str(quote.volume))]
            if not snapshot:
                items += [(code, "highPrice", price(quote.high)),
                          (code, "lowPrice", price(quote.low))]
        return records.ticks(items)

    def depth_record(self, code):
        instrument = self.market.instruments[code]
        quote = self.market.quotes[code]
        changes = []
        for level in range(len(quote.book_bids)):
            bid_price, bid_volume = quote.book_bids[level]
            ask_price, ask_volume = quote.book_asks[level]
            changes.append((level, 1, 1, instrument.format_price(bid_price), bid_volume))
            changes.append((level, 1, 2, instrument.format_price(ask_price), ask_volume))
        return records.depth_changes(changes)

    def contract_list_record(self, sector_key):
        sector = self.market.sector(sector_key)
        contracts = []
        for code in self.market.sector_codes[sector_key]:
            instrument = self.market.instruments[code]
            contracts.append((code, instrument.name, str(instrument.decimals), instrument.exchange))
        return records.contract_list(sector_key, sector["name"], sector["exchange"], contracts)

    # --- logins --------------------------------------------------------------------------

    def mark_of(self, user):
        """The mark handed to a user at login; stable for one seed so restarts keep it."""
        return md5_hex("%s:%s" % (self.config["seed"], user))[:16]

    def server_entries(self, account):
        host = self.config["host"]
        entries = []
        for sector in self.config["sectors"]:
            key = sector["key"]
            text = records.server_entry(key, "模拟行情服务器", key, host, self.ports["quote"],
                                        SERVER_TYPE["quote"], key)
            entries.append(ServerEntry(key, "quote", key, text))
        for code, instrument in self.market.instruments.items():
            text = records.server_entry(code, "模拟深度服务器", instrument.sector, host,
                                        self.ports["depth"], SERVER_TYPE["depth"], code)
            entries.append(ServerEntry(code, "depth", code, text))
        for kind, name, title, login_range in TRADE_SERVERS:
            if self._may_use(account, kind):
                text = records.server_entry(name, title, "TRD", host, self.ports[kind],
                                            SERVER_TYPE[kind], login_range)
                entries.append(ServerEntry(name, kind, None, text))
        return entries

    @staticmethod
    def _may_use(account, kind):
        if kind in ("trade", "query"):
            return account.trading
        if kind in ("proxytrade", "proxyquery"):
            return account.proxy and account.trading
        return True

    def _scope_valid(self, role, scope):
        """Whether scope is the login range of a server of role (that of its entry)."""
        if role == "quote":
            return scope in self.market.sector_codes
        if role == "depth":
            return scope in self.market.instruments
        return any(kind == role and scope == login_range
                   for kind, _name, _title, login_range in TRADE_SERVERS)

    def login_reply(self, session, account, entries, login_range):
        fields = [("name", account.user), ("mark", self.mark_of(account.user)),
                  ("code", account.number), ("trademark", "1" if account.trading else "0"),
                  ("loginrange", login_range), ("nikename", account.nickname),
                  ("opentime", self.config["session_open"]),
                  ("stoptime", self.config["session_stop"]),
                  ("markserver", records.server_list(entry.text for entry in entries))]
        return records.login_accepted(fields)

    def user_login(self, session, form, values):
        """"login@uName:" on the login port: a first login, or a fall-back login that names
        the server this connection is to stand for from now on."""
        user = values["user"]
        account = self.broker.account(user)
        if (self.faults[session.role].refuse or account is None
                or values["digest"] != login_digest(user, account.password_md5)):
            log.info("session %d: login of %r refused", session.id, user)
            session.send(records.login_refused())
            return
        entries = self.server_entries(account)
        wanted = values.get("contract") or ""
        target = None
        if form == "fallback":
            target = next((entry for entry in entries if entry.name == wanted), None)
            if target is not None:
                # The terminal takes the first entry as the server it is now connected to.
                entries.remove(target)
                entries.insert(0, target)
        session.user = user
        login_range = values.get("range") or self.config["login_range"]
        session.send(self.login_reply(session, account, entries, login_range))
        log.info("session %d: %s logged in%s", session.id, user,
                 " for %s" % wanted if wanted else "")
        if target is not None:
            session.role = target.role
            session.scope = target.scope
            self.after_login(session)

    def mark_login(self, session, values):
        user = values["user"]
        account = self.broker.account(user)
        login_range = values["range"]
        role = session.role
        accepted = (
            account is not None and not self.faults[role].refuse
            and values["digest"] == mark_digest(account.password_md5, self.mark_of(user), login_range)
            and self._may_use(account, role) and self._scope_valid(role, login_range))
        if not accepted:
            log.info("session %d: %s login of %r refused", session.id, role, user)
            session.send(records.login_refused())
            return
        session.user = user
        if role in ("quote", "depth"):
            session.scope = login_range
        fields = [("name", user)]
        if role == "quote":
            fields += [("opentime", self.config["session_open"]),
                       ("stoptime", self.config["session_stop"])]
        session.send(records.login_accepted(fields))
        log.info("session %d: %s logged in on %s %s", session.id, user, role, session.scope or "")
        self.after_login(session)

    def after_login(self, session):
        if session.role == "quote":
            session.send(self.contract_list_record(session.scope))
            session.send(self.tick_record(self.market.sector_codes[session.scope], snapshot=True))
        elif session.role == "depth":
            session.send(self.depth_record(session.scope))

    # --- requests ------------------------------------------------------------------------

    def _drop_role(self, role):
        for session in self.sessions_of(role):
            session.close()

    def record_request(self, session, request):
        self.requests[session.role].append(request.text)

    def refuse(self, kind, text, reason):
        """Logs and records a request that is not in the terminal's form."""
        # The start of a long run of garbage says enough.
        text = text if len(text) <= REFUSED_TEXT_SIZE else text[:REFUSED_TEXT_SIZE] + "..."
        log.warning("refused on %s: %s: %r", kind, reason, text)
        self.refusals.append({"kind": kind, "request": text, "reason": reason})

    def handle_request(self, session, request):
        try:
            if request.command == "login":
                self._on_login(session, forms.login(request.args))
                return
            if session.user is None:
                log.info("session %d: %r before login ignored", session.id, request.text)
                return
            account = self.broker.account(session.user)
            if account is None:
                return
            handler = getattr(self, "_on_" + request.command, None)
            if handler is None:
                log.info("session %d: no handler for %r", session.id, request.command)
                return
            faults = self.faults[session.role]
            if faults.take_denial(request.command):
                log.info("session %d: %r denied (fault)", session.id, request.text)
                session.send(records.request_refused())
                return
            drop = faults.take_drop(request.command)
            if drop == "before":
                log.info("session %d: dropping %s at %r (fault)", session.id, session.role, request.text)
                self._drop_role(session.role)
                return
            handler(session, account, request.args)
            if drop == "after":
                log.info("session %d: dropping %s after %r (fault)", session.id, session.role, request.text)
                for other in self.sessions_of(session.role):
                    other.close_when_sent()
        except forms.Refused as error:
            self.refuse(session.role, request.text, str(error))
            # A login is answered with a refusal; any other request is dropped unanswered,
            # as the servers do with what they cannot read.
            if request.command == "login":
                session.send(records.login_refused())

    def _on_login(self, session, login):
        form, values = login
        if form == "mark":
            if session.kind == "login":
                raise forms.Refused("a mark login on the login server")
            self.mark_login(session, values)
            return
        if session.kind != "login":
            raise forms.Refused("a user login on a server other than the login server")
        self.user_login(session, form, values)

    def _on_neworder(self, session, account, args):
        self.broker.place_order(account.user, args, session)

    def _on_preneworder(self, session, account, args):
        session.send(records.pre_order_info(self.broker.pre_check(account.user, args, session)))

    def _on_cancleorder(self, session, account, args):
        self.broker.cancel_order(account.user, forms.order_id(args), session)

    def _on_querystateorders(self, session, account, args):
        session.send(self.broker.state_orders_reply(account, forms.state_query(args)))

    def _on_querydateorders(self, session, account, args):
        kind, first, last, page = forms.date_query(args)
        session.send(self.broker.date_orders_reply(account, kind, first, last, page))

    def _on_queryposition(self, session, account, args):
        session.send(self.broker.positions_reply(account))

    def _on_querysummary(self, session, account, args):
        session.send(records.summary(account.summary(self.market)))

    def _on_editpwd(self, session, account, args):
        try:
            current, new = forms.password_change(args)
        except forms.Refused as error:
            self.refuse(session.role, "editpwd@" + args, str(error))
            session.send(records.edit_password_result("-1"))
            return
        session.send(records.edit_password_result(
            self.broker.change_password(account.user, current, new)))

    def _on_queryallclient(self, session, account, args):
        items = self.broker.client_items() if account.proxy else []
        session.send(records.client_list(items))

    # --- routing of broker events --------------------------------------------------------

    def order_sessions(self, account, origin):
        if origin is not None and not origin.closed and origin.user == account.user:
            return [origin]
        roles = ("proxytrade",) if account.proxy else ("trade",)
        return [session for session in self.sessions
                if not session.closed and session.user == account.user and session.role in roles]

    def order_event(self, account, order, origin):
        values = self.broker.order_values(order)
        text = records.order_info(values)
        for session in self.order_sessions(account, origin):
            session.send(text)
        if account.proxy:
            return
        # Proxy users follow their clients' orders on their own trading connection.
        client_text = records.order_info(values, client_name=account.user)
        for session in self.sessions_of("trade"):
            watcher = self.broker.account(session.user) if session.user else None
            if watcher is not None and watcher.proxy:
                session.send(client_text)

    def account_event(self, account, codes, origin):
        targets = self.order_sessions(account, origin)
        if not targets:
            return
        texts = ["PositionResult@" + self.broker.position_item(account, code) + records.END
                 for code in codes]
        texts.append(records.summary(account.summary(self.market)))
        for session in targets:
            for text in texts:
                session.send(text)

    # --- control -------------------------------------------------------------------------

    def reset(self):
        """Back to the configured state: prices, accounts, switches, tick mode."""
        self.clock = Clock(self.config.get("clock"), self.config["utc_offset_hours"])
        self._build_world()
        for state in self.faults.values():
            state.reset()
        self.http.reset()
        for log_ in self.requests.values():
            log_.clear()
        self.refusals.clear()
        self.manual = bool(self.config["manual_ticks"])
        self.tick_ms = self.config["tick_ms"]
        for session in self.sessions_of("quote"):
            if session.user is not None:
                session.send(self.tick_record(self.market.sector_codes[session.scope], True))
        for session in self.sessions_of("depth"):
            if session.user is not None:
                session.send(self.depth_record(session.scope))


# --- command line ------------------------------------------------------------------------

def build_config(argv):
    parser = argparse.ArgumentParser(
        prog="tolvan_sim.py",
        description="Loopback simulator of the broker's servers for Tolvan.")
    parser.add_argument("--config", help="JSON (*.json) or INI settings file")
    parser.add_argument("--ports", help='"0" for ephemeral ports, or kind=port,... '
                                        '(kinds: %s)' % ", ".join(configuration.PORT_KINDS))
    parser.add_argument("--seed", type=int, help="seed of prices, marks and history")
    parser.add_argument("--tick-ms", type=int, help="interval of automatic ticks")
    parser.add_argument("--manual-ticks", action="store_true",
                        help="send ticks only on the control command 'tick'")
    parser.add_argument("--framing", choices=("caret", "hash"),
                        help="framing of every server kind")
    parser.add_argument("--clock", help='frozen time "YYYY-MM-DD HH:MM:SS"')
    parser.add_argument("--stdin-control", action="store_true",
                        help="also read control commands from standard input; its end "
                             "stops the simulator")
    parser.add_argument("--ready-file",
                        help="also write the ready line to this file (for harnesses that "
                             "cannot read standard output)")
    parser.add_argument("--max-seconds", type=float,
                        help="stop by itself after this many seconds (a safety net for tests)")
    parser.add_argument("--log-level", default="INFO",
                        choices=("DEBUG", "INFO", "WARNING", "ERROR"))
    args = parser.parse_args(argv)

    config = configuration.default_config()
    if args.config:
        config = configuration.merge(config, configuration.load_file(args.config))
    overrides = {}
    if args.ports is not None:
        overrides["ports"] = configuration.parse_ports(args.ports)
    if args.seed is not None:
        overrides["seed"] = args.seed
    if args.tick_ms is not None:
        overrides["tick_ms"] = args.tick_ms
    if args.manual_ticks:
        overrides["manual_ticks"] = True
    if args.framing:
        overrides["framing"] = args.framing
    if args.clock:
        overrides["clock"] = args.clock
    config = configuration.validate(configuration.merge(config, overrides))
    if config.get("clock"):
        from .clock import parse_time
        try:
            parse_time(config["clock"])
        except ValueError as error:
            raise configuration.ConfigError("clock: %s" % error) from error
    return config, args


def _write_ready_file(path, line):
    temporary = path + ".tmp"
    with open(temporary, "w", encoding="ascii") as handle:
        handle.write(line + "\n")
    os.replace(temporary, path)   # readers never see half a line


async def _serve(config, args):
    sim = Simulator(config)
    await sim.start()
    line = sim.ready_line()
    if args.ready_file:
        _write_ready_file(args.ready_file, line)
    print(line, flush=True)
    loop = asyncio.get_running_loop()
    if args.max_seconds:
        loop.call_later(args.max_seconds, sim.request_stop)
    for signum in (signal.SIGINT, signal.SIGTERM):
        try:
            loop.add_signal_handler(signum, sim.request_stop)
        except (NotImplementedError, RuntimeError):
            pass
    if args.stdin_control:
        sim.control.read_stdin(loop)
    await sim.run_until_stopped()


def main(argv=None):
    try:
        config, args = build_config(sys.argv[1:] if argv is None else argv)
    except configuration.ConfigError as error:
        print("tolvan_sim: %s" % error, file=sys.stderr)
        return 2
    logging.basicConfig(level=getattr(logging, args.log_level), stream=sys.stderr,
                        format="sim %(asctime)s %(name)s: %(message)s")
    try:
        asyncio.run(_serve(config, args))
    except OSError as error:
        print("tolvan_sim: cannot open a port: %s" % error, file=sys.stderr)
        return 1
    except KeyboardInterrupt:
        pass
    return 0
