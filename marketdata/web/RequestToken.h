// The request token of the market-data web services and the encryption of the request
// objects of the market-day and calendar services: a JSON text, PKCS#7-padded, encrypted with
// AES-256-CBC (key = SHA-256 of the configured key text, the configured fixed initialisation
// vector), Base64-encoded without line breaks and URL-escaped for a form body.
#pragma once
#include <string>

// The JSON text padded to a whole number of 16-byte blocks: 1 to 16 bytes, each holding the
// number of padding bytes (a text of 16 bytes gets a whole block of 16).
std::string PadPkcs7(const std::string& plain);

// Base64 without line breaks, through OpenSSL's BIO filter chain; and back (empty on error).
std::string EncodeBase64(const std::string& bytes);
std::string DecodeBase64(const std::string& text);

// The encrypted, Base64-encoded and URL-escaped form of a text; empty when the key, the
// vector or the cipher fails.
std::string EncryptRequestText(const std::string& plain);
// The inverse: URL-unescape, Base64-decode, decrypt and check the padding; false when any
// step fails. The services do this on their side; the program uses it in its checks.
bool DecryptRequestText(const std::string& escaped, std::string& plain);

// The token of every request: {"type": "a"} written by the JSON library with its default
// flags, then encrypted as above. Empty when the object cannot be built or encrypted.
std::string MakeRequestToken();
