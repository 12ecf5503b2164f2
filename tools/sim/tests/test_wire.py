"""Request splitting, framing and the terminal-side frame decoder."""

import unittest

import simtest  # noqa: F401  (puts the package on the path)
from tolvansim.wire import (CARET, HASH, FrameDecoder, RequestSplitter, awkward_split_point,
                            colliding_bytes, encode, frame)


class RequestSplitterTest(unittest.TestCase):
    CASES = [
        ("back to back", [b"queryposition@querysummary@"],
         [("queryposition", ""), ("querysummary", "")], 0),
        ("order then query", [b"neworder@XAUUSD|2335.20|100|B|L|81234|queryposition@"],
         [("neworder", "XAUUSD|2335.20|100|B|L|81234|"), ("queryposition", "")], 0),
        ("pre-order is not an order", [b"preneworder@CL||1|S|M|7|"],
         [("preneworder", "CL||1|S|M|7|")], 0),
        ("order cut by the network", [b"neworder@EUR", b"USD|1.1|1000|B", b"|L|9|"],
         [("neworder", "EURUSD|1.1|1000|B|L|9|")], 0),
        ("cancel ends at the next command", [b"cancleorder@100001querystateorders@6#"],
         [("cancleorder", "100001"), ("querystateorders", "6#")], 0),
        ("cancel id arrives later", [b"cancleorder@", b"100002"], [("cancleorder", "100002")], 0),
        ("garbage before a command is dropped", [b"xx\x00queryposition@"],
         [("queryposition", "")], 3),
        ("login then query", [b"login@uName:80001#uPwd:ab#@queryallclient@"],
         [("login", "uName:80001#uPwd:ab#@"), ("queryallclient", "")], 0),
        ("command word cut by the network",
         [b"querydate", b"orders@6#2024-06-01#2024-06-14#1#editpwd@a#b#"],
         [("querydateorders", "6#2024-06-01#2024-06-14#1#"), ("editpwd", "a#b#")], 0),
        ("noise alone is dropped", [b"hello world"], [], 11),
    ]

    def test_cases(self):
        for name, chunks, expected, dropped in self.CASES:
            with self.subTest(name):
                splitter = RequestSplitter()
                got = []
                for chunk in chunks:
                    got += [(request.command, request.args) for request in splitter.feed(chunk)]
                self.assertEqual(got, expected)
                self.assertEqual(splitter.dropped, dropped)


class FramingTest(unittest.TestCase):
    RECORD = encode("contractlist@[contractlist|FEC|外汇现货-IDEALPRO][XAUUSD|伦敦金|2|IDEALPRO]#@")

    def test_every_cut_after_the_marker_decodes_once(self):
        # A read holding only the first "^" has no marker at all and is thrown away by the
        # terminal's framing, so cuts start after "^^".
        framed = frame(self.RECORD, CARET)
        self.assertTrue(framed.startswith(b"^^%d~~" % len(self.RECORD)))
        for cut in range(2, len(framed)):
            with self.subTest(cut=cut):
                decoder = FrameDecoder()
                messages = decoder.feed(framed[:cut]) + decoder.feed(framed[cut:])
                self.assertEqual(messages, [self.RECORD])

    def test_two_hash_records_in_one_read(self):
        decoder = FrameDecoder()
        first, second = encode("SameLogin@#@"), encode("EditPwdResult@1#@")
        self.assertEqual(decoder.feed(frame(first, HASH) + frame(second, HASH)), [first, second])

    def test_bytes_before_a_caret_frame_are_drained(self):
        decoder = FrameDecoder()
        self.assertEqual(decoder.feed(b"noise^^3~~abc"), [b"abc"])
        self.assertEqual(decoder.feed(b"no marker"), [])
        self.assertEqual(decoder.discarded, len(b"no marker"))

    def test_awkward_split_points(self):
        caret = frame(self.RECORD, CARET)
        self.assertEqual(caret[:awkward_split_point(caret, CARET)], b"^^" + caret[2:3])
        hashed = frame(self.RECORD, HASH)
        cut = awkward_split_point(hashed, HASH)
        self.assertGreaterEqual(hashed[cut - 1], 0x81, "cut must fall inside a GBK character")
        plain = frame(b"SameLogin@#@", HASH)
        self.assertEqual(plain[awkward_split_point(plain, HASH):], b"@")

    def test_delimiter_bytes_inside_gbk_characters_are_found(self):
        self.assertEqual(colliding_bytes("伦敦金"), [])
        # "丂" is 0x81 0x40: its trail byte is "@".
        self.assertEqual(colliding_bytes("丂"), ["@"])


if __name__ == "__main__":
    unittest.main()
