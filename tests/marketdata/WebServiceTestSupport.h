// Helpers of the web-service tests: pointing the services at a test server, reading form
// bodies and answering JSON.
#pragma once
#include <afx.h>
#include <string>
#include <vector>
#include "testsupport/FakeHttpServer.h"
#include "WebServiceConfig.h"

namespace webtest {

// Points every web service (and the history service) at base while it lives.
class ScopedServiceBase
{
public:
    explicit ScopedServiceBase(const std::string& base, const std::string& historyPath = "");
    ~ScopedServiceBase();

private:
    WebServiceSettings m_saved;
    CString m_savedHistory;
};

// The URL-unescaped value of a form field; empty when absent.
std::string FormField(const std::string& body, const char* key);
bool HasFormField(const std::string& body, const char* key);
// Whether the form's "token" field is the request token.
bool HasValidToken(const std::string& body);
// The decrypted request object of the form's "code" field; empty when it does not decrypt.
std::string DecryptedCode(const std::string& body);

tolvan::test::HttpResponse Json(const std::string& utf8);

// A folder of its own under the temporary folder, removed with its files at the end.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    const CString& Path() const { return m_path; }
    CString File(const char* name) const { return m_path + "\\" + name; }

private:
    CString m_path;
};

bool ReadFileText(const CString& path, std::string& text);
bool WriteFileText(const CString& path, const std::string& text);

} // namespace webtest
