"""Bytes on the wire: GBK text, digests, the two reply framings and request splitting.

Replies are framed either as "^^<len>~~<payload>" (len is the payload's byte count) or as text
that ends in "#@". Every reply record built by this simulator already ends in "#@", so the hash
framing sends it as it stands and the caret framing wraps the same bytes.

Requests from the terminal carry no framing at all: "queryposition@" is followed directly by
whatever the terminal sends next. They are cut apart by their command words and by the shape
of each command's arguments (see RequestSplitter).
"""

import hashlib

ENCODING = "gbk"

CARET = "caret"
HASH = "hash"
FRAMINGS = (CARET, HASH)

# Bytes that the terminal treats as delimiters somewhere in the protocol. A GBK character whose
# trail byte is one of these would be cut apart by a byte-wise parser, so configured names
# must not contain such characters.
DELIMITER_BYTES = frozenset(b"@[]|^~#&:\\")


def encode(text):
    return text.encode(ENCODING)


def decode(data):
    return bytes(data).decode(ENCODING, errors="replace")


def md5_hex(text):
    """MD5 of the text's GBK bytes as 32 lowercase hex digits (the terminal's digest form)."""
    return hashlib.md5(encode(text)).hexdigest()


def login_digest(user, password_md5):
    """The digest of "login@uName:": MD5 of the user name followed by MD5 of the password."""
    return md5_hex(user + password_md5)


def mark_digest(password_md5, mark, login_range):
    """The digest of "login@mark:": MD5 of MD5(password), the mark and the server's range."""
    return md5_hex(password_md5 + mark + login_range)


def colliding_bytes(text):
    """The delimiter bytes that hide inside the GBK encoding of double-byte characters."""
    data = encode(text)
    hits = []
    i = 0
    while i < len(data):
        if data[i] >= 0x81 and i + 1 < len(data):
            if data[i + 1] in DELIMITER_BYTES:
                hits.append(chr(data[i + 1]))
            i += 2
        else:
            i += 1
    return hits


def frame(record, framing):
    """Frames one reply record (bytes ending in "#@") for sending."""
    if framing == CARET:
        return b"^^%d~~" % len(record) + record
    if framing == HASH:
        return record
    raise ValueError("unknown framing %r" % (framing,))


def awkward_split_point(framed, framing):
    """Where to cut a framed record in two so that neither half is a whole frame.

    Caret frames are cut inside the length field (after "^^" and the first digit). Hash
    frames are cut between the two bytes of the first double-byte character, or when there is
    none, between the final "#" and "@".
    """
    if len(framed) < 2:
        return 0
    if framing == CARET:
        return min(3, len(framed) - 1)
    i = 0
    while i < len(framed) - 1:
        if framed[i] >= 0x81:
            return i + 1
        i += 1
    return len(framed) - 1


class FrameDecoder:
    """Cuts a received byte stream into messages exactly as the terminal does.

    A "#@" that comes before any "^^" ends a message (the "#@" included); otherwise a "^^"
    starts a length-prefixed frame whose bytes before the "^^" are drained with it. Bytes that
    hold neither marker are discarded, as is a length field of more than 32 characters.
    """

    def __init__(self):
        self.buffer = bytearray()
        self.discarded = 0

    def feed(self, data):
        self.buffer += data
        messages = []
        while self.buffer:
            caret = self.buffer.find(b"^^")
            hash_end = self.buffer.find(b"#@")
            if caret < 0 and hash_end < 0:
                self._discard()
                break
            if hash_end >= 0 and (caret < 0 or hash_end < caret):
                messages.append(bytes(self.buffer[:hash_end + 2]))
                del self.buffer[:hash_end + 2]
                continue
            tilde = self.buffer.find(b"~~", caret + 2)
            if tilde < 0:
                break
            length_text = bytes(self.buffer[caret + 2:tilde])
            if len(length_text) > 32:
                self._discard()
                break
            length = max(0, _atoi(length_text))
            start = tilde + 2
            if len(self.buffer) - start < length:
                break
            messages.append(bytes(self.buffer[start:start + length]))
            del self.buffer[:start + length]
        return messages

    def _discard(self):
        self.discarded += len(self.buffer)
        self.buffer.clear()


def _atoi(data):
    text = data.decode("ascii", errors="replace").strip()
    sign = 1
    if text[:1] in ("-", "+"):
        sign = -1 if text[0] == "-" else 1
        text = text[1:]
    digits = ""
    for ch in text:
        if not ch.isdigit():
            break
        digits += ch
    return sign * int(digits) if digits else 0


# Each command word with the rule that tells where its arguments end:
#   ("hash_at", "#@")      up to and including that text
#   ("count", b"|", 6)     after the sixth "|"
#   ("count", b"#", n)     after the n-th "#"
#   ("bare",)              the command has no arguments
#   ("until_next",)        up to the next command word or the end of what has arrived
COMMANDS = {
    b"login@": ("hash_at",),
    b"preneworder@": ("count", b"|", 6),
    b"neworder@": ("count", b"|", 6),
    b"cancleorder@": ("until_next",),
    b"querystateorders@": ("count", b"#", 1),
    b"querydateorders@": ("count", b"#", 4),
    b"queryposition@": ("bare",),
    b"querysummary@": ("bare",),
    b"editpwd@": ("count", b"#", 2),
    b"queryallclient@": ("bare",),
}

MAX_PENDING = 64 * 1024


class Request:
    """One request: its command word without the "@", the argument text and the whole text."""

    __slots__ = ("command", "args", "text")

    def __init__(self, command, args, text):
        self.command = command
        self.args = args
        self.text = text

    def __repr__(self):
        return "Request(%r, %r)" % (self.command, self.args)


class RequestSplitter:
    """Cuts the unframed request stream of one connection into requests.

    Bytes before the first command word are garbage and are dropped (counted, and kept for
    take_garbage). An incomplete request waits for more bytes; a pending buffer larger than
    64 KiB is dropped.
    """

    def __init__(self):
        self.buffer = bytearray()
        self.dropped = 0
        self._garbage = []

    def take_garbage(self):
        """The runs of bytes dropped since the last call, oldest first."""
        garbage, self._garbage = self._garbage, []
        return garbage

    def _drop(self, size):
        self.dropped += size
        self._garbage.append(bytes(self.buffer[:size]))
        del self.buffer[:size]

    def feed(self, data):
        self.buffer += data
        requests = []
        while self.buffer:
            position, word = self._find_command(0)
            if word is None:
                self._drop_unmatched_head()
                break
            if position > 0:
                self._drop(position)
            end = self._command_end(word)
            if end is None:
                if len(self.buffer) > MAX_PENDING:
                    self._drop(len(self.buffer))
                break
            raw = bytes(self.buffer[:end])
            del self.buffer[:end]
            requests.append(Request(decode(word[:-1]), decode(raw[len(word):]), decode(raw)))
        return requests

    def _find_command(self, start):
        best_position, best_word = -1, None
        for word in COMMANDS:
            position = self.buffer.find(word, start)
            if position < 0:
                continue
            # "neworder@" also occurs inside "preneworder@": the earlier start wins, and at
            # the same start the longer word.
            if best_word is None or position < best_position or (
                    position == best_position and len(word) > len(best_word)):
                best_position, best_word = position, word
        return best_position, best_word

    def _command_end(self, word):
        rule = COMMANDS[word]
        start = len(word)
        if rule[0] == "bare":
            return start
        if rule[0] == "hash_at":
            position = self.buffer.find(b"#@", start)
            return None if position < 0 else position + 2
        if rule[0] == "count":
            separator, count = rule[1], rule[2]
            position = start
            for _ in range(count):
                found = self.buffer.find(separator, position)
                if found < 0:
                    return None
                position = found + 1
            return position
        next_position, next_word = self._find_command(start)
        if next_word is not None:
            return next_position
        # An id cut off right after the command word is still on its way.
        return len(self.buffer) if len(self.buffer) > start else None

    def _drop_unmatched_head(self):
        # Keep a tail that may be the beginning of a command word cut by the network.
        keep = 0
        longest = max(len(word) for word in COMMANDS)
        for size in range(1, min(longest, len(self.buffer) + 1)):
            tail = bytes(self.buffer[-size:])
            if any(word.startswith(tail) for word in COMMANDS):
                keep = size
        if len(self.buffer) > keep:
            self._drop(len(self.buffer) - keep)
