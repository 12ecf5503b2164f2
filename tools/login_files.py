#!/usr/bin/env python3
"""Writes what an installed terminal finds beside it for logging in, pointing at a running
simulator: "Config.ini" (update list and statistics addresses), the real and the simulated
server lists in the encrypted-file format, and the local update list.

    python3 tools/login_files.py <build dir> <login port> <http port>
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "sim"))

from tolvansim import aes  # noqa: E402

# The terminal's one key of the encrypted configuration files.
FILE_KEY = bytes([
    0x5e, 0x19, 0xc7, 0xa2, 0x40, 0xd8, 0x3b, 0x6f, 0x91, 0xe2, 0xa7, 0xc4, 0x0b, 0x6d, 0x3f, 0x88,
    0x27, 0xa4, 0xe9, 0xc1, 0xd0, 0x53, 0x6b, 0x7e, 0x8f, 0x2c, 0x14, 0xa9, 0xe3, 0x6b, 0x05, 0xd7,
])


def encrypt_file_text(text):
    """A length block (the decimal length of text and its zero byte), then the text, its zero
    byte and zero padding, every block AES-256 on its own."""
    plain = text.encode("gbk") + b"\0"
    head = str(len(plain)).encode("ascii").ljust(16, b"\0")
    body = plain + b"\0" * (-len(plain) % 16)
    keys = aes.expand_key(FILE_KEY)
    data = head + body
    return b"".join(aes.encrypt_block(keys, data[i:i + 16]) for i in range(0, len(data), 16))


def main():
    build, login_port, http_port = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    bin_dir = os.path.join(build, "bin")
    with open(os.path.join(bin_dir, "Config.ini"), "w", encoding="gbk", newline="\r\n") as config:
        config.write("[Update]\nUpdateListUrl=http://127.0.0.1:%d/update/UpdateList.ini\n"
                     "[system]\nStatisticsUrl=http://127.0.0.1:%d\n"
                     "[WebService]\nBaseUrl=http://127.0.0.1:%d\nMarketDayUrl=http://127.0.0.1:%d\n"
                     % (http_port, http_port, http_port, http_port))
    servers = "[Network]\n本地一,本地服务器一:127.0.0.1:%d:KQZTWXBNPL4M\n" % login_port
    for name in ("ServerList_real.ini", "ServerList_analog.ini"):
        with open(os.path.join(bin_dir, name), "wb") as out:
            out.write(encrypt_file_text(servers))
    os.makedirs(os.path.join(build, "update"), exist_ok=True)
    with open(os.path.join(build, "update", "UpdateList.ini"), "wb") as out:
        out.write(b"[Config]\r\nVersion=1\r\n[Files]\r\nupdate\\UpdateList.ini=1\r\n")


if __name__ == "__main__":
    main()
