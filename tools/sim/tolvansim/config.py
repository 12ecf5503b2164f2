"""Settings of the simulator: built-in defaults, a JSON or INI file, and command-line overrides.

The configuration is a plain dict (see DEFAULTS). A file only names what it changes; lists
("accounts", "sectors") replace the default lists whole.
"""

import configparser
import copy
import ipaddress
import json

from . import KINDS
from .wire import FRAMINGS, colliding_bytes

PORT_KINDS = KINDS + ("control", "http")

DEFAULT_PORTS = {
    "login": 5169,
    "trade": 5170,
    "query": 5171,
    "proxytrade": 5172,
    "proxyquery": 5173,
    "quote": 5174,
    "depth": 5175,
    "control": 5178,
    "http": 5180,
}


def _fx(code, name, decimals, tick, price, currency, multiplier=1.0, step_ticks=5,
        spread_ticks=2, fee=0.00002, margin=0.02, lot_units=100000):
    return {"code": code, "name": name, "decimals": decimals, "tick": tick, "price": price,
            "currency": currency, "multiplier": multiplier, "step_ticks": step_ticks,
            "spread_ticks": spread_ticks, "fee_per_unit": fee, "margin_rate": margin,
            "lot_units": lot_units}


def _future(code, name, decimals, tick, price, multiplier, step_ticks, fee=2.5, margin=0.08):
    return {"code": code, "name": name, "decimals": decimals, "tick": tick, "price": price,
            "currency": "USD", "multiplier": multiplier, "step_ticks": step_ticks,
            "spread_ticks": 1, "fee_per_unit": fee, "margin_rate": margin, "lot_units": 1}


DEFAULT_SECTORS = [
    {
        # Forex and spot metals; quantities travel in units (lots x 100000, gold x 100,
        # silver x 5000), prices with the decimals the terminal expects for these codes.
        "key": "FEC", "name": "外汇现货", "exchange": "IDEALPRO",
        "instruments": [
            _fx("XAUUSD", "伦敦金", 2, 0.01, 2335.20, "USD", step_ticks=20, spread_ticks=30,
                fee=0.02, margin=0.05, lot_units=100),
            _fx("XAGUSD", "伦敦银", 4, 0.0005, 29.4850, "USD", step_ticks=6, spread_ticks=40,
                fee=0.001, margin=0.05, lot_units=5000),
            _fx("EURUSD", "欧元美元", 5, 0.00001, 1.08520, "USD"),
            _fx("GBPUSD", "英镑美元", 5, 0.00001, 1.27340, "USD"),
            _fx("AUDUSD", "澳元美元", 5, 0.00001, 0.66480, "USD"),
            _fx("USDJPY", "美元日元", 3, 0.001, 156.820, "JPY", multiplier=0.0064,
                step_ticks=8, spread_ticks=3),
            _fx("USDCNH", "美元离岸人民币", 5, 0.00001, 7.26350, "CNH", multiplier=0.138,
                step_ticks=20, spread_ticks=30),
        ],
    },
    {
        "key": "CL", "name": "原油期货", "exchange": "NYMEX",
        "instruments": [
            _future("CL", "美原油(主力)", 2, 0.01, 78.45, 1000, 3),
            _future("CL2409", "美原油2409", 2, 0.01, 77.92, 1000, 3),
        ],
    },
    {
        "key": "GC", "name": "黄金期货", "exchange": "COMEX",
        "instruments": [
            _future("GC", "美黄金(主力)", 1, 0.1, 2348.5, 100, 3),
            _future("GC2412", "美黄金2412", 1, 0.1, 2371.3, 100, 3),
        ],
    },
    {
        "key": "SI", "name": "白银期货", "exchange": "COMEX",
        "instruments": [
            _future("SI", "美白银(主力)", 3, 0.005, 29.655, 5000, 2),
            _future("SI2409", "美白银2409", 3, 0.005, 29.820, 5000, 2),
        ],
    },
]

DEFAULT_ACCOUNTS = [
    {"user": "80001", "password": "a123456", "nickname": "张伟", "cash": 1000000.0,
     "positions": [{"code": "XAUUSD", "qty": 100, "price": 2318.40}]},
    {"user": "90001", "password": "admin888", "nickname": "管理员", "cash": 5000000.0,
     "proxy": True},
    {"user": "80002", "password": "b123456", "nickname": "李娜", "cash": 500000.0,
     "positions": [{"code": "CL", "qty": 2, "price": 77.80}]},
    {"user": "80003", "password": "c123456", "nickname": "王芳", "cash": 300000.0},
    {"user": "80004", "password": "d123456", "nickname": "刘洋", "cash": 200000.0},
    # The terminal's built-in quotes-only pair.
    {"user": "6072", "password": "735196", "nickname": "游客", "cash": 0.0, "trading": False},
]

DEFAULTS = {
    "host": "127.0.0.1",
    "ports": dict(DEFAULT_PORTS),
    "seed": 20240601,
    "tick_ms": 500,
    "manual_ticks": False,
    "framing": {"login": "hash", "trade": "hash", "query": "hash", "proxytrade": "hash",
                "proxyquery": "hash", "quote": "caret", "depth": "caret"},
    "split_delay_ms": 100,
    "history_page_size": 20,
    "history_days": 30,
    "clock": None,
    "utc_offset_hours": 8,
    "session_open": "06:00:00",
    "session_stop": "24:00:00",
    "login_range": "KQZTWXBNPL4M",
    # HTTP market-data services: request-token secret (the initialisation vector is the
    # terminal's documented placeholder) and the size of the generated instrument lists.
    "token_key_text": "xqv~tomr~dne",
    "token_iv": "000102030405060708090a0b0c0d0e0f",
    "csm_stocks": 3000,
    "hks_stocks": 1500,
    "sectors": DEFAULT_SECTORS,
    "accounts": DEFAULT_ACCOUNTS,
}

ACCOUNT_DEFAULTS = {"nickname": "", "cash": 0.0, "proxy": False, "trading": True,
                    "currency": "USD", "positions": []}


class ConfigError(ValueError):
    pass


def default_config():
    return copy.deepcopy(DEFAULTS)


def load_file(path):
    """Reads a JSON file (by its ".json" suffix) or an INI file into a partial config dict."""
    try:
        with open(path, "r", encoding="utf-8") as handle:
            text = handle.read()
    except OSError as error:
        raise ConfigError("cannot read config file %s: %s" % (path, error)) from error
    if path.lower().endswith(".json"):
        try:
            data = json.loads(text)
        except ValueError as error:
            raise ConfigError("config file %s is not valid JSON: %s" % (path, error)) from error
        if not isinstance(data, dict):
            raise ConfigError("config file %s must hold a JSON object" % path)
        return data
    return _from_ini(text, path)


def _from_ini(text, path):
    parser = configparser.ConfigParser()
    try:
        parser.read_string(text, source=path)
    except configparser.Error as error:
        raise ConfigError("config file %s is not a valid INI file: %s" % (path, error)) from error
    data = {}
    if parser.has_section("sim"):
        section = parser["sim"]
        for key in ("host", "clock", "session_open", "session_stop", "login_range",
                    "token_key_text", "token_iv"):
            if key in section:
                data[key] = section[key]
        for key in ("seed", "tick_ms", "split_delay_ms", "history_page_size", "history_days",
                    "utc_offset_hours", "csm_stocks", "hks_stocks"):
            if key in section:
                data[key] = _ini_int(section, key, path)
        if "manual_ticks" in section:
            data["manual_ticks"] = section.getboolean("manual_ticks")
        if "framing" in section:
            data["framing"] = section["framing"]
    if parser.has_section("ports"):
        data["ports"] = {key: _ini_int(parser["ports"], key, path) for key in parser["ports"]}
    if parser.has_section("framing"):
        data["framing"] = dict(parser["framing"])
    accounts = []
    for name in parser.sections():
        if not name.startswith("account "):
            continue
        section = parser[name]
        account = {"user": name[len("account "):].strip()}
        for key in ("password", "nickname", "currency"):
            if key in section:
                account[key] = section[key]
        if "cash" in section:
            account["cash"] = section.getfloat("cash")
        for key in ("proxy", "trading"):
            if key in section:
                account[key] = section.getboolean(key)
        accounts.append(account)
    if accounts:
        data["accounts"] = accounts
    return data


def _ini_int(section, key, path):
    try:
        return int(section[key])
    except ValueError as error:
        raise ConfigError("%s: [%s] %s must be a whole number" % (path, section.name, key)) from error


def merge(base, override):
    """Returns base with the keys of override; "ports" and "framing" merge key by key."""
    result = copy.deepcopy(base)
    for key, value in override.items():
        if key in ("ports", "framing") and isinstance(value, dict):
            result[key] = dict(result.get(key) or {})
            result[key].update(value)
        elif key == "framing" and isinstance(value, str):
            result[key] = {kind: value for kind in KINDS}
        else:
            result[key] = copy.deepcopy(value)
    return result


def parse_ports(text):
    """"0" (every port ephemeral) or "kind=port,kind=port"."""
    text = text.strip()
    if not text:
        return {}
    if "=" not in text:
        port = _port_number(text, "--ports")
        return {kind: port for kind in PORT_KINDS}
    ports = {}
    for item in text.split(","):
        kind, _, value = item.partition("=")
        kind = kind.strip()
        if kind not in PORT_KINDS:
            raise ConfigError("--ports: unknown server kind %r (known: %s)"
                              % (kind, ", ".join(PORT_KINDS)))
        ports[kind] = _port_number(value, "--ports " + kind)
    return ports


def _port_number(text, what):
    try:
        port = int(text)
    except ValueError as error:
        raise ConfigError("%s: %r is not a port number" % (what, text)) from error
    if not -1 <= port <= 65535:
        raise ConfigError("%s: port %d is out of range" % (what, port))
    return port


def validate(config):
    """Checks the whole configuration and fills per-entry defaults; raises ConfigError."""
    host = config.get("host", "127.0.0.1")
    try:
        address = ipaddress.ip_address(host)
    except ValueError as error:
        raise ConfigError("host %r is not an IP address" % (host,)) from error
    if address.version != 4 or not address.is_loopback:
        raise ConfigError("host %s is not an IPv4 loopback address; the simulator serves "
                          "127.0.0.0/8 only" % host)

    ports = config.setdefault("ports", {})
    for kind in PORT_KINDS:
        ports.setdefault(kind, DEFAULT_PORTS[kind])
    for kind, port in ports.items():
        if kind not in PORT_KINDS:
            raise ConfigError("ports: unknown server kind %r" % (kind,))
        if not isinstance(port, int) or not -1 <= port <= 65535:
            raise ConfigError("ports: %s must be 0 (ephemeral), -1 (off) or a port number" % kind)
    for kind in KINDS:
        if ports[kind] < 0:
            raise ConfigError("ports: %s cannot be switched off" % kind)

    framing = config.setdefault("framing", {})
    for kind in KINDS:
        framing.setdefault(kind, DEFAULTS["framing"][kind])
        if framing[kind] not in FRAMINGS:
            raise ConfigError("framing of %s must be one of %s" % (kind, ", ".join(FRAMINGS)))

    for key in ("seed", "tick_ms", "split_delay_ms", "history_page_size", "history_days",
                "utc_offset_hours", "csm_stocks", "hks_stocks"):
        if not isinstance(config.get(key), int):
            raise ConfigError("%s must be a whole number" % key)
    for key in ("csm_stocks", "hks_stocks"):
        if not 1 <= config[key] <= 9000:
            raise ConfigError("%s must lie between 1 and 9000" % key)
    iv = config.get("token_iv")
    if not isinstance(iv, str) or len(iv) != 32 or any(c not in "0123456789abcdefABCDEF" for c in iv):
        raise ConfigError("token_iv must be 32 hexadecimal digits")
    if not isinstance(config.get("token_key_text"), str) or not config["token_key_text"]:
        raise ConfigError("token_key_text must be a non-empty text")
    if config["tick_ms"] < 10:
        raise ConfigError("tick_ms must be at least 10")
    if config["history_page_size"] < 1:
        raise ConfigError("history_page_size must be at least 1")

    codes = set()
    keys = set()
    for sector in config.get("sectors") or []:
        for field in ("key", "name", "exchange", "instruments"):
            if field not in sector:
                raise ConfigError("a sector lacks %r" % field)
        if sector["key"] in keys:
            raise ConfigError("sector key %s is listed twice" % sector["key"])
        keys.add(sector["key"])
        _check_text(sector["name"], "sector " + sector["key"])
        for instrument in sector["instruments"]:
            _check_instrument(instrument, codes)
    if not codes:
        raise ConfigError("no instruments configured")

    users = set()
    accounts = config.get("accounts") or []
    for index, account in enumerate(accounts):
        if "user" not in account or "password" not in account:
            raise ConfigError("account %d needs a user and a password" % (index + 1))
        if account["user"] in users:
            raise ConfigError("account %s is listed twice" % account["user"])
        users.add(account["user"])
        for key, value in ACCOUNT_DEFAULTS.items():
            account.setdefault(key, copy.deepcopy(value))
        _check_text(account["nickname"], "nickname of " + account["user"])
        for position in account["positions"]:
            if position.get("code") not in codes:
                raise ConfigError("account %s holds unknown code %r"
                                  % (account["user"], position.get("code")))
    if not accounts:
        raise ConfigError("no accounts configured")
    return config


def _check_instrument(instrument, codes):
    for field in ("code", "name", "decimals", "tick", "price"):
        if field not in instrument:
            raise ConfigError("instrument %r lacks %r" % (instrument.get("code"), field))
    code = instrument["code"]
    if code in codes:
        raise ConfigError("instrument %s is listed twice" % code)
    if not code.isascii() or not code.isalnum():
        raise ConfigError("instrument code %r must be ASCII letters and digits" % code)
    codes.add(code)
    _check_text(instrument["name"], "instrument " + code)
    if instrument["tick"] <= 0 or instrument["price"] <= 0:
        raise ConfigError("instrument %s needs a positive tick and price" % code)
    instrument.setdefault("currency", "USD")
    instrument.setdefault("multiplier", 1.0)
    instrument.setdefault("step_ticks", 3)
    instrument.setdefault("spread_ticks", 1)
    instrument.setdefault("fee_per_unit", 0.0)
    instrument.setdefault("margin_rate", 0.05)
    instrument.setdefault("lot_units", 1)


def _check_text(text, what):
    try:
        hits = colliding_bytes(text)
    except UnicodeEncodeError as error:
        raise ConfigError("%s: %r cannot be written in GBK" % (what, text)) from error
    if hits:
        raise ConfigError("%s: %r holds a character whose GBK bytes contain the protocol "
                          "delimiter %r; choose another character" % (what, text, hits[0]))
    if any(ch in text for ch in "@[]|^~#&:"):
        raise ConfigError("%s: %r contains a protocol delimiter" % (what, text))
