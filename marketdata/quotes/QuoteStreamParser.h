// The quote stream of one quote connection: the contract list that arrives after login, then
// single-field tick records "[code][key=value]@". Keeps the latest QuoteRow of every contract
// and, per 100 ms cycle, the rows the ticks produced, and builds the cycle's quote batch
// (only instruments whose row changed, each with its tick history of the cycle).
#pragma once
#include <afx.h>
#include <map>

#include "ContractRecord.h"
#include "NetMessage.h"
#include "QuoteUpdate.h"

class CTextScanner;

class CQuoteStreamParser
{
public:
    typedef std::map<CString, ContractRecord> ContractMap;

    enum { CONTRACT_TEXT_COUNT = 3 };

    CQuoteStreamParser();

    // Start of a cycle: the tick history of every contract is emptied.
    void BeginCycle();

    // Handles one message of the connection; quoteDownFlag is the receiver's flag (cleared
    // by an accepted login that names userName). Sends WM_QUOTE_CONNECTION_DATA after a
    // contract list and WM_NEW_VERSION_FOUND on "status:-2" to mainWindow.
    void ParseMessage(const NetMessage& message, int& quoteDownFlag, const CString& userName, HWND mainWindow);

    // Collects the contracts of a contract-list message; returns how many the map holds.
    int ParseContractList(const CString& message);

    // The cycle's batch: for every contract in code order whose row changed, the latest row
    // (halted = quoteDownFlag) with the rows of the cycle. Clears the changed marks.
    void BuildBatch(QuoteBatch& batch, int quoteDownFlag);
    // Every known row marked halted, with no tick history (the connection was lost).
    void BuildHaltedBatch(QuoteBatch& batch);

    const ContractMap& GetContracts() const { return m_contracts; }
    const CString* GetContractTexts() const { return m_contractTexts; }
    const std::map<CString, QuoteRow>& GetRows() const { return m_rows; }
    const CString& GetOpenTime() const { return m_openTime; }
    const CString& GetStopTime() const { return m_stopTime; }

private:
    void HandleLogin(const CString& text, int& quoteDownFlag, const CString& userName);
    void HandleContractList(const CString& text, int quoteDownFlag, HWND mainWindow);
    void HandleTicks(const NetMessage& message);
    // The field "key=value" is the text [fieldBegin, fieldEnd) of the message.
    void ApplyTick(const ContractRecord& contract, const CTextScanner& text, int fieldBegin, int fieldEnd,
                   const CString& time);

    CString m_openTime;
    CString m_stopTime;
    std::map<CString, QuoteRow> m_rows;
    CString m_contractTexts[CONTRACT_TEXT_COUNT];
    ContractMap m_contracts;
    std::map<CString, QuoteUpdate> m_pending;
};
