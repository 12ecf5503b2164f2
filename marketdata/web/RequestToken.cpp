#include "RequestToken.h"
#include <vector>
#include <curl/curl.h>
#include <jansson.h>
#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/sha.h>
#include "WebServiceConfig.h"

namespace
{
const size_t kBlockSize = 16;

struct CipherKey
{
    unsigned char key[SHA256_DIGEST_LENGTH];
    unsigned char iv[kBlockSize];
};

bool MakeCipherKey(CipherKey& cipherKey)
{
    WebServiceSettings settings = GetWebServiceSettings();
    if (!DecodeHexBlock(settings.strTokenIvHex, cipherKey.iv))
        return false;
    // Derived anew for every request: the key text is configuration and may change.
    SHA256((const unsigned char*)settings.strTokenKeyText.data(),
           settings.strTokenKeyText.size(), cipherKey.key);
    return true;
}

// AES-256-CBC over whole blocks (the caller pads); false on any cipher error.
bool RunCipher(const std::string& input, std::string& output, bool encrypt)
{
    CipherKey cipherKey;
    if (!MakeCipherKey(cipherKey) || input.empty() || input.size() % kBlockSize != 0)
        return false;
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    if (context == nullptr)
        return false;
    // The output buffer follows the input: one block more than it, never a fixed size.
    std::vector<unsigned char> buffer(input.size() + kBlockSize);
    int written = 0;
    int finalWritten = 0;
    bool ok = EVP_CipherInit_ex(context, EVP_aes_256_cbc(), nullptr, cipherKey.key,
                                cipherKey.iv, encrypt ? 1 : 0) == 1 &&
              EVP_CIPHER_CTX_set_padding(context, 0) == 1 &&
              EVP_CipherUpdate(context, buffer.data(), &written,
                               (const unsigned char*)input.data(), (int)input.size()) == 1 &&
              EVP_CipherFinal_ex(context, buffer.data() + written, &finalWritten) == 1;
    EVP_CIPHER_CTX_free(context);
    if (!ok)
        return false;
    output.assign((const char*)buffer.data(), (size_t)(written + finalWritten));
    return true;
}

bool RemovePkcs7(std::string& padded)
{
    if (padded.empty() || padded.size() % kBlockSize != 0)
        return false;
    unsigned char count = (unsigned char)padded[padded.size() - 1];
    if (count == 0 || count > kBlockSize)
        return false;
    for (size_t i = padded.size() - count; i < padded.size(); ++i)
        if ((unsigned char)padded[i] != count)
            return false;
    padded.erase(padded.size() - count);
    return true;
}
} // namespace

std::string PadPkcs7(const std::string& plain)
{
    size_t count = kBlockSize - plain.size() % kBlockSize;
    return plain + std::string(count, (char)count);
}

std::string EncodeBase64(const std::string& bytes)
{
    BIO* base64 = BIO_new(BIO_f_base64());
    BIO* memory = BIO_new(BIO_s_mem());
    if (base64 == nullptr || memory == nullptr)
    {
        BIO_free(base64);
        BIO_free(memory);
        return std::string();
    }
    BIO_set_flags(base64, BIO_FLAGS_BASE64_NO_NL);
    BIO* chain = BIO_push(base64, memory);
    std::string text;
    if (bytes.empty() || (BIO_write(chain, bytes.data(), (int)bytes.size()) == (int)bytes.size() &&
                          BIO_flush(chain) == 1))
    {
        char* data = nullptr;
        long length = BIO_get_mem_data(memory, &data);
        if (data != nullptr && length > 0)
            text.assign(data, (size_t)length);
    }
    BIO_free_all(chain);
    return text;
}

std::string DecodeBase64(const std::string& text)
{
    if (text.empty())
        return std::string();
    BIO* base64 = BIO_new(BIO_f_base64());
    BIO* memory = BIO_new_mem_buf(text.data(), (int)text.size());
    if (base64 == nullptr || memory == nullptr)
    {
        BIO_free(base64);
        BIO_free(memory);
        return std::string();
    }
    BIO_set_flags(base64, BIO_FLAGS_BASE64_NO_NL);
    BIO* chain = BIO_push(base64, memory);
    std::vector<char> buffer(text.size() + 4);
    int length = BIO_read(chain, buffer.data(), (int)buffer.size());
    BIO_free_all(chain);
    return length > 0 ? std::string(buffer.data(), (size_t)length) : std::string();
}

std::string EncryptRequestText(const std::string& plain)
{
    std::string cipherText;
    if (!RunCipher(PadPkcs7(plain), cipherText, true))
        return std::string();
    std::string base64 = EncodeBase64(cipherText);
    if (base64.empty())
        return std::string();
    char* escaped = curl_easy_escape(nullptr, base64.c_str(), (int)base64.size());
    if (escaped == nullptr)
        return std::string();
    std::string result(escaped);
    curl_free(escaped);
    return result;
}

bool DecryptRequestText(const std::string& escaped, std::string& plain)
{
    plain.clear();
    if (escaped.empty())
        return false;
    int length = 0;
    char* unescaped = curl_easy_unescape(nullptr, escaped.c_str(), (int)escaped.size(), &length);
    if (unescaped == nullptr)
        return false;
    std::string base64(unescaped, (size_t)length);
    curl_free(unescaped);
    std::string padded;
    if (!RunCipher(DecodeBase64(base64), padded, false) || !RemovePkcs7(padded))
        return false;
    plain = padded;
    return true;
}

std::string MakeRequestToken()
{
    json_t* object = json_object();
    if (object == nullptr)
        return std::string();
    std::string token;
    if (json_object_set_new(object, "type", json_string("a")) == 0)
    {
        char* text = json_dumps(object, 0);
        if (text != nullptr)
        {
            token = EncryptRequestText(text);
            free(text);
        }
    }
    json_decref(object);
    return token;
}
