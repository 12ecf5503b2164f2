"""The exact forms of the terminal's requests, and the refusal of everything else.

The simulator stands in for servers that a terminal is tested against, so it accepts only the
form the terminal is meant to send: separators, letter case, field order and digests exactly
as the terminal writes them. A near miss is refused with the reason it was refused for; the
caller logs it, records it and answers as the protocol does with a bad request.

Each reader takes the text after the command word (for "login@" that text still ends in "#@")
and returns what it holds, or raises Refused.
"""

import datetime
import re


class Refused(ValueError):
    """A request that is not in the terminal's form; the text says what is wrong with it."""


DIGEST = r"[0-9a-f]{32}"
# A value between "#" separators of a login text; it can hold neither "#" nor "@".
VALUE = r"[^#@]+"

FIRST_LOGIN = re.compile(r"uName:(?P<user>%s)#uPwd:(?P<digest>%s)(?:##uRange:(?P<range>%s))?#@"
                         % (VALUE, DIGEST, VALUE))
FALLBACK_LOGIN = re.compile(r"uName:(?P<user>%s)#uPwd:(?P<digest>%s)#uContract:(?P<contract>%s)"
                            r"(?:#uRange:(?P<range>%s))?#@" % (VALUE, DIGEST, VALUE, VALUE))
MARK_LOGIN = re.compile(r"mark:(?P<digest>%s)#name:(?P<user>%s)#loginrange:(?P<range>[^#@]*)#@"
                        % (DIGEST, VALUE))

# What "%d" writes: no blank, no "+", no leading zero.
DECIMAL = re.compile(r"0|-?[1-9][0-9]*")
COUNT = re.compile(r"0|[1-9][0-9]*")
ORDER_ID = re.compile(r"[1-9][0-9]*")
# Prices and quantities as the order form writes them: digits with at most one point.
NUMBER = re.compile(r"-?(?:[0-9]+(?:\.[0-9]*)?|\.[0-9]+)")
DASHED_DATE = re.compile(r"[0-9]{4}-[0-9]{2}-[0-9]{2}")
PLAIN_DATE = re.compile(r"[0-9]{8}")


def login(args):
    """("first" | "fallback" | "mark", fields) of a "login@" text."""
    if args.startswith("uName:"):
        if "#uContract:" in args:
            return "fallback", _match(FALLBACK_LOGIN, args, "fall-back login")
        return "first", _match(FIRST_LOGIN, args, "first login")
    if args.startswith("mark:"):
        return "mark", _match(MARK_LOGIN, args, "mark login")
    raise Refused("a login that is neither 'uName:' nor 'mark:'")


def order_ticket(args):
    """The six texts of "neworder@" and "preneworder@": code|price|qty|side|kind|ref|."""
    fields = args.split("|")
    if len(fields) != 7 or fields[6] != "":
        raise Refused("an order needs six fields, each followed by '|'")
    code, price, quantity, side, kind, reference = fields[:6]
    if not code:
        raise Refused("an order without a code")
    if price and not NUMBER.fullmatch(price):
        raise Refused("price %r is not a plain decimal number" % price)
    if not NUMBER.fullmatch(quantity):
        raise Refused("quantity %r is not a plain decimal number" % quantity)
    if side not in ("B", "S"):
        raise Refused("side %r is neither 'B' nor 'S'" % side)
    # An empty type is the terminal's own answer to an unknown price kind; the broker
    # refuses that order as it refuses one it cannot fill.
    if kind not in ("", "M", "L", "S"):
        raise Refused("order type %r is none of 'M', 'L', 'S'" % kind)
    return dict(code=code, price=price, quantity=quantity, side=side, kind=kind, cid=reference)


def order_id(args):
    """The order number of "cancleorder@"."""
    if not ORDER_ID.fullmatch(args):
        raise Refused("order number %r is not a plain number" % args)
    return args


def state_query(args):
    """The kind of "querystateorders@%d#"."""
    kind, separator, rest = args.partition("#")
    if not separator or rest or not DECIMAL.fullmatch(kind):
        raise Refused("expected '<kind>#', not %r" % args)
    return int(kind)


def date_query(args):
    """(kind, first day, last day, page) of "querydateorders@%d#%s#%s#%d#"."""
    fields = args.split("#")
    if len(fields) != 5 or fields[4] != "":
        raise Refused("expected '<kind>#<start>#<end>#<page>#', not %r" % args)
    kind, start, end, page = fields[:4]
    if not DECIMAL.fullmatch(kind):
        raise Refused("kind %r is not a number" % kind)
    if not COUNT.fullmatch(page):
        raise Refused("page %r is not a number of 0 or more" % page)
    return int(kind), dashed_date(start), dashed_date(end), int(page)


def password_change(args):
    """(current digest, new digest) of "editpwd@<md5>#<md5>#"."""
    fields = args.split("#")
    if len(fields) != 3 or fields[2] != "":
        raise Refused("expected '<md5>#<md5>#', not %r" % args)
    for digest in fields[:2]:
        if not re.fullmatch(DIGEST, digest):
            raise Refused("%r is not 32 lowercase hexadecimal digits" % digest)
    return fields[0], fields[1]


def dashed_date(text):
    """A date "YYYY-MM-DD"."""
    if not DASHED_DATE.fullmatch(text):
        raise Refused("date %r is not 'YYYY-MM-DD'" % text)
    return _date(text, "%Y-%m-%d")


def plain_date(text):
    """A date "YYYYMMDD"."""
    if not PLAIN_DATE.fullmatch(text):
        raise Refused("date %r is not 'YYYYMMDD'" % text)
    return _date(text, "%Y%m%d")


def _date(text, layout):
    try:
        return datetime.datetime.strptime(text, layout).date()
    except ValueError:
        raise Refused("date %r does not exist" % text) from None


def _match(pattern, args, what):
    match = pattern.fullmatch(args)
    if match is None:
        raise Refused("not the form of a %s: %r" % (what, args))
    return match.groupdict()


# --- HTTP forms ------------------------------------------------------------------------------

def form_fields(body, names):
    """The values of a form body that holds exactly the fields names, in that order.

    Values stay as they were sent (nothing is unescaped): the terminal escapes only the
    encrypted texts, and those are compared as sent.
    """
    try:
        text = body.decode("ascii")
    except UnicodeDecodeError:
        raise Refused("the form holds bytes that are not ASCII") from None
    pieces = text.split("&") if text else []
    keys = [piece.partition("=")[0] for piece in pieces]
    if keys != list(names) or any("=" not in piece for piece in pieces):
        raise Refused("expected the form fields %s in this order, not %r"
                      % ("&".join(name + "=" for name in names) or "(none)", text))
    return {name: piece.partition("=")[2] for name, piece in zip(names, pieces)}


STOCK_CODE = re.compile(r"[0-9A-Za-z.]+")


def code_list(text):
    """Codes joined by "," with nothing after the last, no blanks, nothing escaped."""
    codes = text.split(",")
    if not all(STOCK_CODE.fullmatch(code) for code in codes):
        raise Refused("%r is not a list of codes joined by ','" % text)
    return codes


def bar_count(text):
    """The K-line "size": "all" or a count above 0 (None for "all")."""
    if text == "all":
        return None
    if not re.fullmatch(r"[1-9][0-9]*", text):
        raise Refused("size %r is neither 'all' nor a count above 0" % text)
    return int(text)


def optional_dashed_date(text):
    """A K-line date: "YYYY-MM-DD", or empty where the terminal had no eight-digit date."""
    return dashed_date(text) if text else None


HISTORY_QUERY = re.compile(r"type=(?P<code>[^@&=]+)@(?P<x>[^@&=]*)@(?P<y>[^@&=]*)@"
                           r"(?P<period>D|[1-9][0-9]*)&sdate=(?P<sdate>[^&]*)&edate=(?P<edate>[^&]*)")


def history_query(query):
    """(code, period in minutes with 0 for days, first day, last day) of the history query."""
    match = HISTORY_QUERY.fullmatch(query)
    if match is None:
        raise Refused("expected 'type=<code>@<x>@<y>@<period>&sdate=YYYYMMDD&edate=YYYYMMDD', "
                      "not %r" % query)
    period = match.group("period")
    return (match.group("code"), 0 if period == "D" else int(period),
            plain_date(match.group("sdate")), plain_date(match.group("edate")))
