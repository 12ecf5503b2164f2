// A fake SOAP time service for the tests: answers "current" at /time.wsdl the way the
// real service does (or as badly as a test asks).
#pragma once

#include "testsupport/FakeHttpServer.h"

#include <string>

namespace horavane_test {

inline std::string SoapEnvelope(const std::string& ns, const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" "
           "xmlns:ns1=\"" + ns + "\"><SOAP-ENV:Body>" + body + "</SOAP-ENV:Body></SOAP-ENV:Envelope>";
}

inline tolvan::test::HttpResponse SoapTime(const std::string& ns, const std::string& text)
{
    return tolvan::test::HttpResponse::Text(
        200, SoapEnvelope(ns, "<ns1:currentResponse><result>" + text + "</result></ns1:currentResponse>"),
        "text/xml; charset=utf-8");
}

inline tolvan::test::HttpResponse SoapWithoutResult(const std::string& ns)
{
    return tolvan::test::HttpResponse::Text(200, SoapEnvelope(ns, "<ns1:currentResponse/>"),
                                            "text/xml; charset=utf-8");
}

inline tolvan::test::HttpResponse SoapFault(const std::string& ns)
{
    return tolvan::test::HttpResponse::Text(
        500,
        SoapEnvelope(ns, "<SOAP-ENV:Fault><faultcode>SOAP-ENV:Server</faultcode>"
                         "<faultstring>clock unavailable</faultstring></SOAP-ENV:Fault>"),
        "text/xml; charset=utf-8");
}

}  // namespace horavane_test
