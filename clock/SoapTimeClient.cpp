#include "SoapTimeClient.h"

#include "soapH.h"
#include "TimeService.nsmap"

#include <vector>

CSoapTimeClient::CSoapTimeClient(const CString& strEndpoint, const CString& strNamespace)
    : m_strEndpoint(strEndpoint), m_strNamespace(strNamespace)
{
}

CSoapTimeClient::Result CSoapTimeClient::QueryCurrent(CString& strResult)
{
    // The generated table binds ns1 to the default namespace; bind it to the configured one.
    std::vector<Namespace> table;
    for (const Namespace* pEntry = namespaces; pEntry->id != nullptr; ++pEntry)
    {
        Namespace entry = *pEntry;
        if (strcmp(entry.id, "ns1") == 0)
            entry.ns = m_strNamespace;
        table.push_back(entry);
    }
    table.push_back(Namespace{nullptr, nullptr, nullptr, nullptr});

    soap* pSoap = soap_new1(SOAP_C_UTFSTRING);
    if (pSoap == nullptr)
        return CallFailed;
    soap_set_namespaces(pSoap, table.data());
    pSoap->send_timeout = kTimeoutSeconds;
    pSoap->recv_timeout = kTimeoutSeconds;

    _ns1__current request;
    _ns1__currentResponse response;
    Result result = CallFailed;
    if (soap_call___ns1__current(pSoap, m_strEndpoint, nullptr, &request, response) == SOAP_OK)
    {
        if (response.result == nullptr)
        {
            result = NoResult;
        }
        else
        {
            strResult = response.result;
            result = Answered;
        }
    }
    soap_destroy(pSoap);
    soap_end(pSoap);
    soap_free(pSoap);
    return result;
}
