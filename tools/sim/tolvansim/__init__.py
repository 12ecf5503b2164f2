"""Loopback simulator of the broker's servers for Tolvan.

One process serves the login server, the trading, query, proxy trading and proxy query
servers, the quote and depth streams, a line-based control port for tests and (later) the
HTTP services, all on 127.0.0.1.
"""

KINDS = ("login", "trade", "query", "proxytrade", "proxyquery", "quote", "depth")
"""Server kinds that speak the trade protocol; each has its own port and fault switches."""

SERVER_TYPE = {"quote": 1, "depth": 2, "trade": 3, "query": 4, "proxytrade": 5, "proxyquery": 6}
"""Connection type digit of each server kind in the login reply's server list."""
