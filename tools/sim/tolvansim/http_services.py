"""HTTP side of the simulator: the market-data web services, served by the same process and
event loop as the TCP servers.

Services (POST with form bodies in the terminal's exact form; anything else is refused):
  /services/stock/{csm,hks}/version                 list version
  /html/stock/stockList, /html/stock/stockList_hks   instrument list (bare JSON array)
  /html/stock/stockInfo, /html/stock/stockInfo_hks   snapshot text "[f0|f1|...|f16]..."
  /services/stock/{csm,hks}/stockTimely              quotes of "code" (comma-separated)
  /services/stock/{csm,hks}/stockListTimely          quotes of "codes"
  /services/stock/{csm,hks}/stockKline/<period>      bars (day minute1 minute5 minute15
                                                     minute30 hour1 week month)
  /services/stock/notice                             the current notice
  /services/validateMarketDay, /services/marketCalendar   "code=" encrypted request objects
  /services/historyData?type=..&sdate=..&edate=..    history lines between <result> tags

Tests make any service fail, stall, answer garbage and more with the control command
"http fault" (see HttpControl).
"""

import asyncio
import collections
import datetime
import json
import logging
import urllib.parse

from .login_services import LoginServices
from . import forms
from .webtoken import TokenCodec

log = logging.getLogger("tolvansim.http")

MAX_HEADER_BYTES = 16 * 1024
MAX_BODY_BYTES = 1024 * 1024
REQUEST_LOG_SIZE = 500
MAX_BARS = 6000

REASONS = {200: "OK", 400: "Bad Request", 404: "Not Found", 405: "Method Not Allowed",
           413: "Payload Too Large", 415: "Unsupported Media Type", 500: "Internal Server Error"}

JSON_TYPE = "application/json; charset=utf-8"
TEXT_TYPE = "text/plain; charset=utf-8"
FORM_TYPE = "application/x-www-form-urlencoded"

# The history service's access token (the "say=" form field).
HISTORY_TOKEN = "3c9e0a7b51d24f86e0b7a19c5d3f2e48"
HISTORY_PATH = "/services/historyData"

KLINE_PERIODS = {"day": 0, "minute1": 1, "minute5": 5, "minute15": 15, "minute30": 30,
                 "hour1": 60, "week": 5040, "month": 43200}

FAULT_MODES = ("fail", "garbage", "stall", "drop", "code", "delay", "truncate", "empty")

# path -> handler(sim, request) -> (status, content type, body bytes); every service is POST.
ROUTES = {}
# handler -> the answer a request gets when it is not in the terminal's form
REFUSAL_ANSWERS = {}


class HttpRequest:
    def __init__(self, method, target, headers, body):
        self.method = method
        self.target = target
        parsed = urllib.parse.urlsplit(target)
        self.path = parsed.path
        self.raw_query = parsed.query
        self.headers = headers
        self.body = body

    def form(self):
        """The body read as an HTML form (field -> first value), for the request log."""
        fields = urllib.parse.parse_qs(self.body.decode("latin-1"), keep_blank_values=True)
        return {key: values[0] for key, values in fields.items()}

    def describe(self):
        return "%s %s %s" % (self.method, self.target, self.body.decode("latin-1"))


class TokenRefused(forms.Refused):
    """A request token that is not the terminal's token, byte for byte."""


def _json(payload, status=200):
    return status, JSON_TYPE, json.dumps(payload, ensure_ascii=False).encode("utf-8")


def _text(text, status=200):
    return status, TEXT_TYPE, text.encode("utf-8")


def _failure(code, message):
    return _json({"returnCode": code, "returnMsg": message})


def route(*paths, refusal=lambda: _failure(400, "参数错误")):
    def register(handler):
        for path in paths:
            ROUTES[path] = handler
        REFUSAL_ANSWERS[handler] = refusal
        return handler
    return register


def _market_of(path):
    return "HKS" if "/hks/" in path or path.endswith("_hks") else "CSM"


def _fields(sim, request, *names):
    """The form fields names, in this order and nothing else; a "token" field must hold the
    request token exactly as the terminal escapes it (unless token checks are off)."""
    fields = forms.form_fields(request.body, names)
    if "token" in fields and sim.http.check_tokens and fields["token"] != sim.http.codec.token():
        raise TokenRefused("token %r is not the request token" % fields["token"])
    return fields


# --- instrument lists and quotes -------------------------------------------------------------

@route("/services/stock/csm/version", "/services/stock/hks/version")
def _version(sim, request):
    _fields(sim, request, "token")
    return _json({"returnCode": 200,
                  "returnMsg": {"version": sim.stocks.versions[_market_of(request.path)]}})


@route("/html/stock/stockList", "/html/stock/stockList_hks")
def _stock_list(sim, request):
    _fields(sim, request, "token")
    return _json(sim.stocks.list_items(_market_of(request.path)))


@route("/html/stock/stockInfo", "/html/stock/stockInfo_hks")
def _stock_info(sim, request):
    _fields(sim, request, "token")
    return _text(sim.stocks.snapshot_text(_market_of(request.path)))


def _quotes(sim, request, field):
    codes = forms.code_list(_fields(sim, request, "token", field)[field])
    market = _market_of(request.path)
    escape = lambda name: urllib.parse.quote(name, safe="")  # noqa: E731
    rows = []
    for code in codes:
        stock = sim.stocks.find(market, code)
        if stock is not None:
            rows.append(sim.stocks.quote(stock, escape))
    return _json({"returnCode": 200, "returnMsg": "操作成功", "list": rows})


@route("/services/stock/csm/stockTimely", "/services/stock/hks/stockTimely")
def _stock_timely(sim, request):
    return _quotes(sim, request, "code")


@route("/services/stock/csm/stockListTimely", "/services/stock/hks/stockListTimely")
def _stock_list_timely(sim, request):
    return _quotes(sim, request, "codes")


# --- bars ------------------------------------------------------------------------------------

def _kline(sim, request):
    market = _market_of(request.path)
    period = KLINE_PERIODS[request.path.rsplit("/", 1)[-1]]
    long_period = period in (5040, 43200)
    if long_period:
        fields = _fields(sim, request, "code", "token", "requestDate", "size")
    else:
        fields = _fields(sim, request, "code", "token", "size", "startDate", "endDate")
    size = forms.bar_count(fields["size"]) or MAX_BARS
    size = min(size, MAX_BARS)
    stocks = sim.stocks
    stock = stocks.find(market, fields["code"])
    now = sim.clock.now()
    today = now.date()
    if long_period:
        end = forms.optional_dashed_date(fields["requestDate"]) or today
        if stock is None:
            return _failure(404, "无此股票")
        bars = stocks.period_bars(stock, "week" if period == 5040 else "month",
                                  min(end, today), size)
    else:
        start = forms.optional_dashed_date(fields["startDate"])
        end = min(forms.optional_dashed_date(fields["endDate"]) or today, today)
        if stock is None:
            return _failure(404, "无此股票")
        if start is None:
            days = stocks.trading_days_before(market, end + datetime.timedelta(days=1),
                                              size if period == 0 else 5)
        else:
            days = stocks.trading_days_between(market, start, end)
        bars = []
        for day in days:
            if period == 0:
                bars.append(stocks.day_bar(stock, day))
            else:
                bars += stocks.minute_bars(stock, day, period, until=now)
            if len(bars) > MAX_BARS:
                break
        bars = bars[-size:]
    # The newest bar also stands alone in "listDate", as a JSON text, as the service does.
    recent = [json.dumps(bars[-1], ensure_ascii=False)] if bars else []
    return _json({"returnCode": 200, "returnMsg": "操作成功", "list": bars, "listDate": recent})


for _name in KLINE_PERIODS:
    route("/services/stock/csm/stockKline/" + _name, "/services/stock/hks/stockKline/" + _name)(_kline)


# --- notices, market days, calendar, history -------------------------------------------------

NOTICE = {"sub_id": "1001", "sub_bt": "系统公告", "sub_bt_d": "模拟环境",
          "content": "<p>欢迎使用Tolvan证券模拟环境。</p>"
                     "<p><a href=\"app:close\">关闭公告</a> <a href=\"app:hidenotice\">不再提示</a></p>",
          "source": "Tolvan"}


@route("/services/stock/notice")
def _notice(sim, request):
    # "&id=" comes only with an id.
    has_id = b"&id=" in request.body
    fields = _fields(sim, request, *(("token", "id") if has_id else ("token",)))
    wanted = fields.get("id", "")
    if has_id and not wanted:
        raise forms.Refused("an empty notice id")
    notices = [NOTICE] if sim.http.notice_on and wanted in ("", NOTICE["sub_id"]) else []
    return _json({"returnCode": 200, "data": json.dumps(notices, ensure_ascii=False)})


def _date_member(obj):
    if not isinstance(obj["date"], str):
        raise forms.Refused("date %r is not a text" % (obj["date"],))
    return forms.plain_date(obj["date"])


def _market_of_type(text):
    from .stocks import MARKET_TYPES
    market = MARKET_TYPES.get(text) if isinstance(text, str) else None
    if market is None:
        raise forms.Refused("type %r is neither 'ASHARE' nor 'HSHARE'" % (text,))
    return market


@route("/services/validateMarketDay",
       refusal=lambda: _json({"returnCode": "400", "status": "N", "returnMsg": "参数错误"}))
def _validate_market_day(sim, request):
    obj = sim.http.codec.request_object(_fields(sim, request, "code")["code"], ("date", "type"))
    day = _date_member(obj)
    market = _market_of_type(obj["type"])
    override = sim.http.market_days.get(day.strftime("%Y%m%d"))
    open_ = override if override is not None else sim.stocks.is_trading_day(market, day)
    return _json({"returnCode": "200", "status": "Y" if open_ else "N"})


@route("/services/marketCalendar", refusal=lambda: _json({"returnCode": 200, "code": "false: 参数错误"}))
def _market_calendar(sim, request):
    obj = sim.http.codec.request_object(_fields(sim, request, "code")["code"],
                                        ("date", "day", "type"))
    day = _date_member(obj)
    market = _market_of_type(obj["type"])
    count = obj["day"]
    if type(count) is not int or count < 1:
        raise forms.Refused("day %r is not a count above 0" % (count,))
    days = sim.stocks.trading_days_before(market, day, min(count, 5000))
    days = [d for d in days if sim.http.market_days.get(d.strftime("%Y%m%d")) is not False]
    listing = [{"date": d.strftime("%Y-%m-%d")} for d in days]
    return _json({"returnCode": 200, "code": json.dumps(listing)})


def _history_lines(sim, code, period, first, last):
    """Lines "YYYYMMDD [HH:MM:SS] open close high low volume" of an instrument."""
    stocks = sim.stocks
    stock = stocks.find_any(code)
    now = sim.clock.now()
    lines = []
    if stock is not None:
        for day in stocks.trading_days_between(stock.market, first, min(last, now.date())):
            bars = [stocks.day_bar(stock, day)] if period == 0 else \
                stocks.minute_bars(stock, day, period, until=now)
            for bar in bars:
                lines.append(_history_line(day, None if period == 0 else bar["time"] + ":00", bar))
        return lines
    instrument = sim.market.instruments.get(code)
    if instrument is None:
        instrument = next((sim.market.instruments[c] for c in sim.market.sector_codes.get(code, [])), None)
    if instrument is None:
        return lines
    from .stocks import Stock
    proxy = Stock("FUT", 0, instrument.code, instrument.name, instrument.code,
                  instrument.start_price, 1, instrument.tick, instrument.decimals)
    day = first
    while day <= min(last, now.date()):
        if period == 0:
            bar = stocks._bar(proxy, day, "00:00", stocks._epoch_minute(day, 0),
                              stocks._epoch_minute(day, 1440))
            lines.append(_history_line(day, None, bar))
        else:
            for end in range(period, 1441, period):
                moment = datetime.datetime.combine(day, datetime.time()) + datetime.timedelta(minutes=end)
                if moment > now:
                    break
                bar = stocks._bar(proxy, day, "", stocks._epoch_minute(day, end - period),
                                  stocks._epoch_minute(day, end))
                hours, minutes = divmod(end, 60)
                lines.append(_history_line(day, "%02d:%02d:00" % (hours, minutes), bar))
        day += datetime.timedelta(days=1)
        if len(lines) > MAX_BARS:
            break
    return lines


def _history_line(day, time_text, bar):
    values = [bar["openPrice"], bar["closePrice"], bar["high"], bar["low"], str(bar["volume"])]
    head = [day.strftime("%Y%m%d")] + ([time_text] if time_text else [])
    return " ".join(head + values)


@route(HISTORY_PATH, refusal=lambda: _text("<response><error>bad query</error></response>"))
def _history(sim, request):
    if request.body != ("say=" + HISTORY_TOKEN).encode("ascii"):
        raise forms.Refused("the body is not 'say=' and the access token")
    code, period, first, last = forms.history_query(request.raw_query)
    if first > last:
        return _text("<response><error>bad query</error></response>")
    lines = _history_lines(sim, code, period, first, last)
    return _text("<response><result>\n%s\n</result></response>" % "\n".join(lines))


# --- faults ----------------------------------------------------------------------------------

class FaultRule:
    def __init__(self, prefix, mode, argument=None, times=None):
        self.prefix = prefix
        self.mode = mode
        self.argument = argument
        self.times = times          # None: until cleared
        self.release = asyncio.Event() if mode == "stall" else None

    def describe(self):
        return {"prefix": self.prefix, "mode": self.mode, "argument": self.argument,
                "times": self.times}


class HttpFaults:
    """Per-path-prefix misbehaviour; the longest matching prefix wins."""

    def __init__(self):
        self.rules = {}

    def set(self, rule):
        self.clear(rule.prefix)
        self.rules[rule.prefix] = rule

    def clear(self, prefix=None):
        for key in list(self.rules):
            if prefix is None or key == prefix:
                rule = self.rules.pop(key)
                if rule.release is not None:
                    rule.release.set()

    def take(self, path):
        """The rule for a request to path (counting it down), or None."""
        matches = [rule for prefix, rule in self.rules.items() if path.startswith(prefix)]
        if not matches:
            return None
        rule = max(matches, key=lambda item: len(item.prefix))
        if rule.times is not None:
            rule.times -= 1
            if rule.times <= 0:
                self.rules.pop(rule.prefix, None)
        return rule


class HttpServices:
    def __init__(self, sim):
        self.sim = sim
        self.faults = HttpFaults()
        self.log = collections.deque(maxlen=REQUEST_LOG_SIZE)
        self.codec = TokenCodec(sim.config["token_key_text"], sim.config["token_iv"])
        self.login = LoginServices()
        # Paths of the requests a stall holds while their client waits; a reset releases them
        # (they leave the list as they are answered).
        self.held = []
        self.reset()

    def reset(self):
        self.faults.clear()
        self.log.clear()
        self.check_tokens = True
        self.notice_on = True
        self.market_days = {}
        self.login.reset()

    async def start(self, host, port):
        return await asyncio.start_server(self._serve, host, port)

    async def _serve(self, reader, writer):
        try:
            request = await self._read_request(reader)
            if request is None:
                reply = (400, "text/plain", b"bad request\n")
            elif isinstance(request, int):
                reply = (request, "text/plain", b"request too large\n")
            else:
                reply = await self.answer_async(request, reader)
            if reply is None:
                return   # dropped: close without a word
            if isinstance(reply, bytes):
                writer.write(reply)
            else:
                status, content_type, body = reply
                writer.write(self.head(status, content_type, len(body)) + body)
            await writer.drain()
        except (ConnectionError, OSError, asyncio.IncompleteReadError, asyncio.CancelledError):
            pass
        finally:
            writer.close()

    @staticmethod
    def head(status, content_type, length):
        return ("HTTP/1.1 %d %s\r\nContent-Type: %s\r\nContent-Length: %d\r\nConnection: close\r\n\r\n"
                % (status, REASONS.get(status, "Status"), content_type, length)).encode("ascii")

    async def answer_async(self, request, reader=None):
        """The reply: (status, type, body), raw bytes, or None to drop the connection."""
        self.log.append({"method": request.method, "path": request.path,
                         "query": request.raw_query, "form": request.form(),
                         "body": request.body.decode("latin-1")})
        rule = self.faults.take(request.path)
        if rule is not None:
            if rule.mode == "stall":
                if not await self._hold(request, rule, reader):
                    return None
            elif rule.mode == "delay":
                await asyncio.sleep(float(rule.argument or 0) / 1000.0)
            elif rule.mode == "drop":
                return None
            elif rule.mode == "fail":
                return _text("simulated failure\n", status=500)
            elif rule.mode == "garbage":
                return 200, JSON_TYPE, b"\xfe\xfd<html>not json {[\x00 garbage"
            elif rule.mode == "empty":
                return 200, JSON_TYPE, b""
            elif rule.mode == "code":
                return _failure(int(rule.argument or 500), "simulated failure")
            elif rule.mode == "truncate":
                status, content_type, body = self.answer(request)
                return self.head(status, content_type, len(body) + 100) + body[:len(body) // 2]
        return self.answer(request)

    async def _hold(self, request, rule, reader):
        """Holds a stalled request until its fault is cleared (True: answer it now) or its
        client goes away (False). While held it is listed by "http held"."""
        self.held.append(request.path)
        release = asyncio.ensure_future(rule.release.wait())
        try:
            while True:
                waits = {release}
                gone = asyncio.ensure_future(reader.read(1024)) if reader is not None else None
                if gone is not None:
                    waits.add(gone)
                done, _ = await asyncio.wait(waits, return_when=asyncio.FIRST_COMPLETED)
                if release in done:
                    if gone is not None:
                        gone.cancel()
                    return True
                if gone.exception() is not None or gone.result() == b"":
                    return False
                # Bytes after the request: the client is still there.
        finally:
            release.cancel()
            self.held.remove(request.path)

    def answer(self, request):
        if self.login.handles(request.path):
            return self.login.answer(request, lambda reason: self.refuse(request, reason))
        handler = ROUTES.get(request.path)
        if handler is None:
            self.refuse(request, "no such service")
            return 404, "text/plain; charset=utf-8", b"no such service\n"
        try:
            if request.method != "POST":
                self.refuse(request, "%s instead of POST" % request.method)
                return _text("POST only\n", status=405)
            content_type = request.headers.get("content-type", "")
            if content_type != FORM_TYPE:
                self.refuse(request, "content type %r instead of %r" % (content_type, FORM_TYPE))
                return _text("form bodies only\n", status=415)
            if request.raw_query and request.path != HISTORY_PATH:
                raise forms.Refused("a query on a service that takes none")
            return handler(self.sim, request)
        except TokenRefused as error:
            self.refuse(request, str(error))
            return _failure(401, "token无效")
        except forms.Refused as error:
            self.refuse(request, str(error))
            return REFUSAL_ANSWERS[handler]()

    def refuse(self, request, reason):
        self.sim.refuse("http", request.describe(), reason)

    async def _read_request(self, reader):
        try:
            head = await reader.readuntil(b"\r\n\r\n")
        except asyncio.LimitOverrunError:
            return 413
        except asyncio.IncompleteReadError:
            return None
        if len(head) > MAX_HEADER_BYTES:
            return 413
        lines = head.decode("latin-1").split("\r\n")
        parts = lines[0].split()
        if len(parts) != 3:
            return None
        headers = {}
        for line in lines[1:]:
            name, colon, value = line.partition(":")
            if colon:
                headers[name.strip().lower()] = value.strip()
        try:
            length = int(headers.get("content-length", "0"))
        except ValueError:
            return None
        if length < 0:
            return None
        if length > MAX_BODY_BYTES:
            return 413
        body = await reader.readexactly(length) if length else b""
        return HttpRequest(parts[0].upper(), parts[1], headers, body)
