"""Per-kind switches that tests flip through the control port."""

import asyncio

from .wire import awkward_split_point

SPLIT_OFF = "off"
SPLIT_ON = "on"        # every record in two sends, a short pause between them
SPLIT_HOLD = "hold"    # every record in two sends; after the first the kind stalls


class FaultState:
    def __init__(self, framing):
        self.initial_framing = framing
        self.framing = framing
        self.split = SPLIT_OFF
        self.split_at = None   # explicit byte offset, or None for the awkward default
        self.refuse = False    # refuse every login on this kind
        self.drop_at = None    # (command, "before" or "after"): drop at that request, once
        self.denials = {}      # command -> how many more to deny (-1: all)
        self.flowing = asyncio.Event()
        self.flowing.set()

    @property
    def stalled(self):
        return not self.flowing.is_set()

    def set_stall(self, stalled):
        if stalled:
            self.flowing.clear()
        else:
            self.flowing.set()

    def split_point(self, framed):
        """Where to cut this framed record, or 0 when it goes whole."""
        if self.split == SPLIT_OFF or len(framed) < 2:
            return 0
        if self.split_at is not None:
            return max(1, min(self.split_at, len(framed) - 1))
        return awkward_split_point(framed, self.framing)

    def take_drop(self, command):
        """"before" or "after" when this request is the one to drop the connections at."""
        if self.drop_at is None or self.drop_at[0] != command:
            return None
        when = self.drop_at[1]
        self.drop_at = None
        return when

    def take_denial(self, command):
        """True when this request is to be refused ("status:-1") instead of carried out."""
        left = self.denials.get(command, 0)
        if left == 0:
            return False
        if left > 0:
            self.denials[command] = left - 1
        return True

    def reset(self):
        self.framing = self.initial_framing
        self.split = SPLIT_OFF
        self.split_at = None
        self.refuse = False
        self.drop_at = None
        self.denials = {}
        self.set_stall(False)

    def describe(self):
        return {"framing": self.framing, "split": self.split, "split_at": self.split_at,
                "stalled": self.stalled, "refuse": self.refuse,
                "drop_at": list(self.drop_at) if self.drop_at else None,
                "denials": dict(self.denials)}
