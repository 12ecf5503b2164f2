"""The request token and encrypted request objects of the HTTP market-data services:
a JSON text, PKCS#7-padded, AES-256-CBC under SHA-256 of a key text and a fixed
initialisation vector, Base64 without line breaks, URL-escaped in the form body."""

import base64
import binascii
import hashlib
import json
import urllib.parse

from . import aes


class TokenCodec:
    def __init__(self, key_text, iv_hex):
        self.key = hashlib.sha256(key_text.encode("utf-8")).digest()
        self.iv = binascii.unhexlify(iv_hex)

    def encrypt(self, text):
        """The form value (URL-escaped) of a text."""
        cipher = aes.cbc_encrypt(self.key, self.iv, aes.pad_pkcs7(text.encode("utf-8")))
        return urllib.parse.quote(base64.b64encode(cipher).decode("ascii"), safe="")

    def decrypt(self, value):
        """The text of a form value that the form parser already unescaped; None when it is
        not a text of ours."""
        try:
            cipher = base64.b64decode(value.encode("ascii"), validate=True)
            return aes.unpad_pkcs7(aes.cbc_decrypt(self.key, self.iv, cipher)).decode("utf-8")
        except (ValueError, UnicodeError, binascii.Error):
            return None

    def decrypt_json(self, value):
        text = self.decrypt(value)
        if text is None:
            return None
        try:
            return json.loads(text)
        except ValueError:
            return None

    def token(self):
        return self.encrypt(json.dumps({"type": "a"}))

    def is_token(self, value):
        return self.decrypt_json(value) == {"type": "a"}
