"""Texts of the reply records, exactly in the shapes that the terminal's parsers read.

Every builder returns one record as text that ends in "#@". Keyed records use "key:value"
pieces joined by "#"; list replies are runs of "[...]" items whose values are joined by "#",
closed by the "#" of the final "#@" (an empty list is the type word, "@" and "#@").
"""

END = "#@"


def login_accepted(fields):
    """"loginresult@status:1" and "#key:value" pieces; fields is a list of (key, value)."""
    return "loginresult@status:1" + "".join("#%s:%s" % item for item in fields) + END


def login_refused():
    return "loginresult@status:-1" + END


def request_refused():
    """A request the server will not carry out (an order or a cancel it refuses)."""
    return "status:-1" + END


def update_required():
    return "loginresult@status:-2" + END


def same_login():
    return "SameLogin@" + END


def server_entry(name, title, market, host, port, server_type, login_range):
    """One "|"-separated entry of "#markserver:", ten fields as the servers send them.

    Fields: 0 name, 1 title, 2 market, 3 host, 4 port, 5 weight, 6 type, 7 origin, 8 spare,
    9 login range. The session times of a quote server are the terminal's own (it fills
    them in for type 1), so an entry ends with its login range and the next entry's name
    follows right after the "&": a terminal that splits the whole list at "|" without first
    cutting it into entries reads "<range>&<next name>" as the login range.
    """
    fields = [name, title, market, host, str(port), "1", str(server_type), "SIM", "0",
              login_range]
    return "|".join(fields)


def server_list(entries):
    """The "#markserver:" value: every entry followed by "&", so the reply ends in "&#@"."""
    return "".join(entry + "&" for entry in entries)


ORDER_KEYS = ("cid", "fnum", "mg", "oid", "ps", "st", "ty", "an", "ot", "cn", "qy", "op")
PRE_ORDER_KEYS = ("oid", "st", "mg", "im", "cid", "fnum", "ty", "an", "ot", "cn", "qy")


def order_info(values, client_name=None):
    """"OrderInfo@cid:..#fnum:..#...#op:.."; client events end with "#clientname:"."""
    pieces = ["%s:%s" % (key, values.get(key, "")) for key in ORDER_KEYS]
    if client_name is not None:
        pieces.append("clientname:%s" % client_name)
    return "OrderInfo@" + "#".join(pieces) + END


def pre_order_info(values):
    pieces = ["%s:%s" % (key, values.get(key, "")) for key in PRE_ORDER_KEYS]
    return "PreOrderInfo@" + "#".join(pieces) + END


def list_item(head, values):
    """"[head#v1#v2...]" where head is itself "code|name|exchange"."""
    return "[" + "#".join([head] + [str(value) for value in values]) + "]"


def position_list(items):
    return "PositionResult@" + "".join(items) + END


def summary(values):
    return "SummaryResult@" + "#".join(values) + END


def orders_list(items):
    return "SubmittedOrdersResult@" + "".join(items) + END


def client_list(items):
    return "ClientResult@" + "".join(items) + END


def edit_password_result(code):
    return "EditPwdResult@%s%s" % (code, END)


def contract_list(market_key, sector_name, extra, contracts):
    """The contract list: a "contractlist" entry, then "[code|name|number|extra]" entries."""
    head = "[contractlist|%s|%s-%s]" % (market_key, sector_name, extra)
    body = "".join("[%s|%s|%s|%s]" % contract for contract in contracts)
    return "contractlist@" + head + body + END


def ticks(items):
    """Tick records "[code][key=value]@" for (code, key, value) items."""
    return "".join("[%s][%s=%s]@" % item for item in items) + END


def depth_changes(changes):
    """Depth changes "[level][action][side][price][volume]@" for 5-tuples."""
    return "".join("[%s][%s][%s][%s][%s]@" % change for change in changes) + END

