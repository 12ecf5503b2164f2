// The quote stream of one quote connection: the contract list that arrives after login, then
// single-field tick records "[code][key=value]@". Keeps the latest QuoteRow of every contract
// and, per 100 ms cycle, the rows the ticks produced, and builds the cycle's quote batch
// (only instruments whose row changed, each with its tick history of the cycle).
//
// Ticks are read in place from the message: one lookup of the code per tick, and no text is
// made for a value that the row does not keep. A cycle holds at most MAX_BATCH_TICKS tick
// rows: a message that brings more hands the batch so far to the main window at once and goes
// on, so every tick still reaches it, in order, however large the message.
#pragma once
#include <afx.h>
#include <map>
#include <vector>

#include "ContractRecord.h"
#include "NetMessage.h"
#include "QuoteTextCache.h"
#include "QuoteUpdate.h"

class CQuoteStreamParser
{
public:
    typedef std::map<CString, ContractRecord> ContractMap;

    enum { CONTRACT_TEXT_COUNT = 3 };
    enum { MAX_BATCH_TICKS = 4096 };

    CQuoteStreamParser();
    ~CQuoteStreamParser();
    CQuoteStreamParser(const CQuoteStreamParser&) = delete;
    CQuoteStreamParser& operator=(const CQuoteStreamParser&) = delete;

    // Start of a cycle: the tick history of every contract is emptied.
    void BeginCycle();

    // Handles one message of the connection; quoteDownFlag is the receiver's flag (cleared
    // by an accepted login that names userName). Sends WM_QUOTE_CONNECTION_DATA after a
    // contract list and WM_NEW_VERSION_FOUND on "status:-2" to mainWindow, and
    // WM_QUOTE_BATCH whenever the cycle's tick rows reach MAX_BATCH_TICKS.
    void ParseMessage(const NetMessage& message, int& quoteDownFlag, const CString& userName, HWND mainWindow);

    // Collects the contracts of a contract-list message; returns how many the map holds.
    int ParseContractList(const CString& message);

    // The cycle's batch: for every contract in code order whose row changed, the latest row
    // (halted = quoteDownFlag) with the rows of the cycle. Clears the changed marks.
    void BuildBatch(QuoteBatch& batch, int quoteDownFlag);
    // Every known row marked halted, with no tick history (the connection was lost).
    void BuildHaltedBatch(QuoteBatch& batch);

    class RowView;
    const ContractMap& GetContracts() const { return m_contracts; }
    const CString* GetContractTexts() const { return m_contractTexts; }
    RowView GetRows() const;
    const CString& GetOpenTime() const { return m_openTime; }
    const CString& GetStopTime() const { return m_stopTime; }
    // Tick rows held for the batch of the running cycle.
    size_t GetHeldTickCount() const { return m_heldTicks; }

private:
    // What the parser keeps of one contract.
    struct Instrument
    {
        const CString* code = nullptr;             // the key in m_instruments
        int codeLength = 0;                        // its bytes up to a first zero byte
        const ContractRecord* contract = nullptr;  // the entry in m_contracts
        QuoteRow row;
        std::vector<QuoteRow> ticks;   // rows of the running cycle, oldest first
        size_t lastTickCount = 0;      // rows of the previous batch: room taken at once
        bool queued = false;           // in m_changed
    };
    typedef std::map<CString, Instrument> InstrumentMap;

public:
    // The latest row of every contract, by code.
    class RowView
    {
    public:
        explicit RowView(const InstrumentMap& instruments) : m_instruments(instruments) {}
        const QuoteRow& at(const CString& code) const { return m_instruments.at(code).row; }
        size_t size() const { return m_instruments.size(); }

    private:
        const InstrumentMap& m_instruments;
    };

private:
    void HandleLogin(const CString& text, int& quoteDownFlag, const CString& userName);
    void HandleContractList(const CString& text, int quoteDownFlag, HWND mainWindow);
    template <bool SingleByte>
    void HandleTicks(const NetMessage& message, int quoteDownFlag, HWND mainWindow);
    void ApplyTick(Instrument& instrument, const char* field, int fieldLength, const CString& time);
    void FlushBatch(int quoteDownFlag, HWND mainWindow);

    void AddContract(const ContractRecord& contract);
    Instrument* FindInstrument(const char* code, int length);
    void IndexInstrument(Instrument* instrument);

    CString m_openTime;
    CString m_stopTime;
    CString m_contractTexts[CONTRACT_TEXT_COUNT];
    ContractMap m_contracts;
    InstrumentMap m_instruments;
    // Open addressing by the bytes of the code: one probe sequence per tick, no key text.
    std::vector<Instrument*> m_index;
    Instrument* m_lastFound;
    // Instruments whose row changed since the last batch, in the order of their first change.
    std::vector<Instrument*> m_changed;
    size_t m_heldTicks;
    CQuoteTextCache m_texts;
};

inline CQuoteStreamParser::RowView CQuoteStreamParser::GetRows() const
{
    return RowView(m_instruments);
}
