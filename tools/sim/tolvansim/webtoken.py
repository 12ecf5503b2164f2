"""The request token and encrypted request objects of the HTTP market-data services:
a JSON text, PKCS#7-padded, AES-256-CBC under SHA-256 of a key text and a fixed
initialisation vector, Base64 without line breaks, URL-escaped in the form body."""

import base64
import binascii
import collections
import hashlib
import json
import urllib.parse

from . import aes, forms


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

    def token(self):
        return self.encrypt(json.dumps({"type": "a"}))


    def request_object(self, value, keys):
        """The object of an encrypted request field, exactly as the terminal writes it.

        value is the field as sent: Base64 escaped as the terminal escapes it, and inside the
        JSON text of an object with exactly keys, in this order, written with a blank after
        each colon and comma. Anything else raises forms.Refused.
        """
        unescaped = urllib.parse.unquote(value)
        if urllib.parse.quote(unescaped, safe="") != value:
            raise forms.Refused("%r is not escaped as the terminal escapes Base64" % value)
        text = self.decrypt(unescaped)
        if text is None:
            raise forms.Refused("%r is not a text encrypted under the request key" % value)
        try:
            obj = json.loads(text, object_pairs_hook=collections.OrderedDict)
        except ValueError:
            raise forms.Refused("the encrypted text %r is not JSON" % text) from None
        if not isinstance(obj, dict) or list(obj) != list(keys):
            raise forms.Refused("the encrypted text %r does not hold exactly %s in this order"
                                % (text, ", ".join(keys)))
        if json.dumps(obj) != text:
            raise forms.Refused("the encrypted text %r is not written as the terminal writes it"
                                % text)
        return obj
