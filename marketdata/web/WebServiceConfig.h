// Where the market-data web services live and the secret they share with us. Every value is
// configuration of the deployment: the program starts with the defaults below and the main
// window replaces them from "Config.ini" (section "WebService") before the first request.
//
//   [WebService]
//   BaseUrl=http://quotes.example:8080      ; instrument lists, quotes, bars, notices
//   MarketDayUrl=http://calendar.example    ; "/services/validateMarketDay", "/services/marketCalendar"
//   TokenKeyText=xqv~tomr~dne               ; SHA-256 of this text is the AES-256 key
//   TokenIv=000102030405060708090a0b0c0d0e0f ; 16 bytes as 32 hex digits
//
// The defaults point at the loopback simulator (tools/sim, port 5180). The default
// initialisation vector is a PLACEHOLDER: the real one is the web-service operator's and
// must be configured, or the services reject every token.
#pragma once
#include <afx.h>
#include <string>

struct WebServiceSettings
{
    std::string strWebServiceBase;  // "http://host:port", no trailing "/"
    std::string strMarketDayBase;   // server of the market-day and calendar services
    std::string strTokenKeyText;    // key text of the request token
    std::string strTokenIvHex;      // initialisation vector, 32 hexadecimal digits
};

// Built-in defaults (simulator addresses, the placeholder vector).
WebServiceSettings DefaultWebServiceSettings();

// Copies of the current settings; callable from any thread.
WebServiceSettings GetWebServiceSettings();
// Replaces the settings; the service addresses of GetWebServiceUrls follow at once. Called at
// start-up (and by tests) while no request runs.
void SetWebServiceSettings(const WebServiceSettings& settings);

// Reads section "WebService" of an INI file over the current settings: a key that is missing
// or empty keeps its value; a trailing "/" of an address is dropped. A vector that is not 32
// hexadecimal digits is refused (the old one stays) and the result is false.
bool LoadWebServiceSettings(LPCTSTR pszIniPath);

// The 16 bytes of a 32-digit hexadecimal text; false for any other text.
bool DecodeHexBlock(const std::string& hex, unsigned char block[16]);

// The history-data service in use: a base address to which the query is appended. Chosen at
// random from the history servers at start-up and again when one fails; empty until then.
void SetHistoryServiceBase(const CString& base);
CString GetHistoryServiceBase();
