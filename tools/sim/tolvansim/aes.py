"""AES (FIPS 197) in CBC mode, in pure Python: the web services' request tokens are
AES-256-CBC and the simulator may use the standard library only. Slow, but tokens are one or
two blocks."""

SBOX = bytes.fromhex(
    "637c777bf26b6fc53001672bfed7ab76ca82c97dfa5947f0add4a2af9ca472c0"
    "b7fd9326363ff7cc34a5e5f171d8311504c723c31896059a071280e2eb27b275"
    "09832c1a1b6e5aa0523bd6b329e32f8453d100ed20fcb15b6acbbe394a4c58cf"
    "d0efaafb434d338545f9027f503c9fa851a3408f929d38f5bcb6da2110fff3d2"
    "cd0c13ec5f974417c4a77e3d645d197360814fdc222a908846eeb814de5e0bdb"
    "e0323a0a4906245cc2d3ac629195e479e7c8376d8dd54ea96c56f4ea657aae08"
    "ba78252e1ca6b4c6e8dd741f4bbd8b8a703eb5664803f60e613557b986c11d9e"
    "e1f8981169d98e949b1e87e9ce5528df8ca1890dbfe6426841992d0fb054bb16")
INV_SBOX = bytes(SBOX.index(value) for value in range(256))


def _xtime(value):
    value <<= 1
    return (value ^ 0x1B) & 0xFF if value & 0x100 else value


def _mul(a, b):
    result = 0
    while b:
        if b & 1:
            result ^= a
        a = _xtime(a)
        b >>= 1
    return result


def expand_key(key):
    """Round keys of a 16, 24 or 32 byte key, as a list of 16-byte lists."""
    if len(key) not in (16, 24, 32):
        raise ValueError("AES keys are 16, 24 or 32 bytes")
    nk = len(key) // 4
    rounds = nk + 6
    words = [list(key[4 * i:4 * i + 4]) for i in range(nk)]
    rcon = 1
    for i in range(nk, 4 * (rounds + 1)):
        word = list(words[i - 1])
        if i % nk == 0:
            word = word[1:] + word[:1]
            word = [SBOX[b] for b in word]
            word[0] ^= rcon
            rcon = _xtime(rcon)
        elif nk > 6 and i % nk == 4:
            word = [SBOX[b] for b in word]
        words.append([a ^ b for a, b in zip(words[i - nk], word)])
    return [sum(words[4 * r:4 * r + 4], []) for r in range(rounds + 1)]


def _shift_rows(state, inverse=False):
    out = [0] * 16
    for column in range(4):
        for row in range(4):
            source = (column + row) % 4 if not inverse else (column - row) % 4
            out[4 * column + row] = state[4 * source + row]
    return out


def _mix_columns(state, factors):
    out = []
    for column in range(4):
        col = state[4 * column:4 * column + 4]
        for row in range(4):
            value = 0
            for k in range(4):
                value ^= _mul(col[k], factors[(k - row) % 4])
            out.append(value)
    return out


def encrypt_block(round_keys, block):
    state = [a ^ b for a, b in zip(block, round_keys[0])]
    last = len(round_keys) - 1
    for r in range(1, last + 1):
        state = [SBOX[b] for b in state]
        state = _shift_rows(state)
        if r != last:
            state = _mix_columns(state, (2, 3, 1, 1))
        state = [a ^ b for a, b in zip(state, round_keys[r])]
    return bytes(state)


def decrypt_block(round_keys, block):
    last = len(round_keys) - 1
    state = [a ^ b for a, b in zip(block, round_keys[last])]
    for r in range(last - 1, -1, -1):
        state = _shift_rows(state, inverse=True)
        state = [INV_SBOX[b] for b in state]
        state = [a ^ b for a, b in zip(state, round_keys[r])]
        if r != 0:
            state = _mix_columns(state, (14, 11, 13, 9))
    return bytes(state)


def cbc_encrypt(key, iv, data):
    """Encrypts whole blocks (the caller pads)."""
    if len(data) % 16:
        raise ValueError("CBC data must be whole blocks")
    round_keys = expand_key(key)
    previous = iv
    out = bytearray()
    for start in range(0, len(data), 16):
        block = bytes(a ^ b for a, b in zip(data[start:start + 16], previous))
        previous = encrypt_block(round_keys, block)
        out += previous
    return bytes(out)


def cbc_decrypt(key, iv, data):
    if len(data) % 16 or not data:
        raise ValueError("CBC data must be whole blocks")
    round_keys = expand_key(key)
    previous = iv
    out = bytearray()
    for start in range(0, len(data), 16):
        block = data[start:start + 16]
        out += bytes(a ^ b for a, b in zip(decrypt_block(round_keys, block), previous))
        previous = block
    return bytes(out)


def pad_pkcs7(data):
    count = 16 - len(data) % 16
    return data + bytes([count]) * count


def unpad_pkcs7(data):
    if not data or len(data) % 16:
        raise ValueError("bad padding")
    count = data[-1]
    if count < 1 or count > 16 or data[-count:] != bytes([count]) * count:
        raise ValueError("bad padding")
    return data[:-count]
