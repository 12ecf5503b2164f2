"""One accepted TCP connection of a server kind.

Incoming bytes are cut into requests and handed to the simulator. Outgoing records pass
through a queue whose writer applies the switches of the connection's current role: framing,
split sends and stalls. A connection accepted on the login port changes its role when a
fall-back login names another server, because the terminal then keeps using that socket.
"""

import asyncio
import itertools
import logging
import socket
import struct

from .faults import SPLIT_HOLD
from .wire import RequestSplitter, decode, encode, frame

log = logging.getLogger("tolvansim.session")

_ids = itertools.count(1)

RECORD = "record"
RAW = "raw"
CLOSE = "close"
MAX_QUEUED = 20000


class Session:
    def __init__(self, sim, kind, reader, writer):
        self.sim = sim
        self.id = next(_ids)
        self.kind = kind            # the port it arrived on
        self.role = kind            # the server it acts as now
        self.scope = None           # sector key (quote) or code (depth)
        self.user = None
        self.reader = reader
        self.writer = writer
        self.peer = writer.get_extra_info("peername")
        self.splitter = RequestSplitter()
        self.outgoing = asyncio.Queue()
        self.closed = False
        self._writer_task = None
        sock = writer.get_extra_info("socket")
        if sock is not None:
            try:
                sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            except OSError:
                pass

    def describe(self):
        return {"id": self.id, "kind": self.kind, "role": self.role, "scope": self.scope,
                "user": self.user, "peer": "%s:%s" % self.peer[:2] if self.peer else ""}

    # --- sending -------------------------------------------------------------------------

    def send(self, text):
        """Queues one reply record (text ending in "#@"); framing is applied when sent."""
        self._queue(RECORD, encode(text))

    def send_raw(self, data):
        """Queues bytes that go out as they are, without framing or splitting."""
        self._queue(RAW, bytes(data))

    def close_when_sent(self):
        """Closes the connection once everything queued before has been written."""
        self._queue(CLOSE, None)

    def _queue(self, what, data):
        if self.closed:
            return
        if self.outgoing.qsize() >= MAX_QUEUED:
            # A peer that stopped reading (or a stall never lifted) must not eat the memory.
            log.warning("session %d (%s): %d records wait unsent; closing", self.id,
                        self.role, self.outgoing.qsize())
            self.close()
            return
        self.outgoing.put_nowait((what, data))

    async def _write_loop(self):
        try:
            while True:
                what, data = await self.outgoing.get()
                faults = self.sim.faults[self.role]
                await faults.flowing.wait()
                if what == CLOSE:
                    self.close()
                    return
                if what == RAW:
                    self.writer.write(data)
                    await self.writer.drain()
                    continue
                framed = frame(data, faults.framing)
                cut = faults.split_point(framed)
                if cut:
                    await self._send_split(framed, cut, faults)
                else:
                    self.writer.write(framed)
                    await self.writer.drain()
        except (ConnectionError, OSError) as error:
            log.info("session %d (%s): send failed: %s", self.id, self.role, error)
            self.close()
        except asyncio.CancelledError:
            pass

    async def _send_split(self, framed, cut, faults):
        self.writer.write(framed[:cut])
        await self.writer.drain()
        if faults.split == SPLIT_HOLD:
            faults.set_stall(True)
        else:
            await asyncio.sleep(self.sim.config["split_delay_ms"] / 1000.0)
        await faults.flowing.wait()
        self.writer.write(framed[cut:])
        await self.writer.drain()

    # --- receiving -----------------------------------------------------------------------

    async def run(self):
        self._writer_task = asyncio.ensure_future(self._write_loop())
        log.info("session %d: %s connection from %s", self.id, self.kind, self.peer)
        try:
            while not self.closed:
                data = await self.reader.read(65536)
                if not data:
                    break
                for request in self.splitter.feed(data):
                    self.sim.record_request(self, request)
                    try:
                        self.sim.handle_request(self, request)
                    except Exception:  # a bad request must not end the connection
                        log.exception("session %d: request %r failed", self.id, request.text)
                # Bytes outside every request are a form the terminal never sends.
                for garbage in self.splitter.take_garbage():
                    self.sim.refuse(self.role, decode(garbage),
                                    "%d bytes that hold no request" % len(garbage))
        except (ConnectionError, OSError) as error:
            log.info("session %d (%s): receive failed: %s", self.id, self.role, error)
        finally:
            self.close()
            log.info("session %d (%s, %s) closed", self.id, self.role, self.user or "-")

    def close(self, reset=False):
        if self.closed:
            return
        self.closed = True
        self.sim.forget_session(self)
        if self._writer_task is not None:
            self._writer_task.cancel()
        transport = self.writer.transport
        if reset:
            sock = self.writer.get_extra_info("socket")
            try:
                if sock is not None:
                    # A zero linger time makes the close a reset.
                    sock.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            except OSError:
                pass
            transport.abort()
        else:
            transport.close()
