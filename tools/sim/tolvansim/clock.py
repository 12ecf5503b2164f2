"""The simulator's wall clock: the broker's local time, or a frozen time that tests set.

The broker keeps exchange time of a fixed offset from UTC (UTC+8 by default, without daylight
saving), whatever the zone of the machine the simulator runs on.
"""

import datetime

TIME_FORMAT = "%Y-%m-%d %H:%M:%S"


def parse_time(text):
    try:
        return datetime.datetime.strptime(text.strip(), TIME_FORMAT)
    except ValueError as error:
        raise ValueError("time %r is not YYYY-MM-DD HH:MM:SS" % (text,)) from error


class Clock:
    def __init__(self, frozen=None, utc_offset_hours=8):
        self.frozen = parse_time(frozen) if isinstance(frozen, str) else frozen
        self.zone = datetime.timezone(datetime.timedelta(hours=utc_offset_hours))

    def now(self):
        """The current time as a naive datetime of the broker's zone, whole seconds."""
        if self.frozen is not None:
            return self.frozen
        return datetime.datetime.now(self.zone).replace(tzinfo=None, microsecond=0)

    def freeze(self, moment):
        self.frozen = moment

    def unfreeze(self):
        self.frozen = None
