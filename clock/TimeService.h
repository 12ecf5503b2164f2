// The SOAP time service that Horavane asks when no RFC 868 time server answers: one
// document/literal operation "current" whose response holds the server time as the text
// "YYYY-MM-DD hh:mm:ss" in the element "result". soapcpp2 generates the client from this
// header at build time. The endpoint and the namespace below are the defaults; both can be
// changed in Horavane's configuration.

//gsoap ns1 service name: TimeService
//gsoap ns1 service type: TimeServicePortType
//gsoap ns1 service port: http://localhost:10700/time.wsdl
//gsoap ns1 service namespace: http://localhost:10700/time.wsdl
//gsoap ns1 schema namespace: http://localhost:10700/time.wsdl
//gsoap ns1 schema elementForm: unqualified
//gsoap ns1 schema attributeForm: unqualified

// The request: an empty element.
class _ns1__current
{
};

// The response: the server time text, absent when the service has none to give.
class _ns1__currentResponse
{
public:
    char* result 0;
};

//gsoap ns1 service method-protocol: current SOAP
//gsoap ns1 service method-style: current document
//gsoap ns1 service method-encoding: current literal
//gsoap ns1 service method-action: current ""
int __ns1__current(_ns1__current* ns1__current, _ns1__currentResponse& ns1__currentResponse);
