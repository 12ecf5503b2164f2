// The process-wide store of every sector the main window shows, the user's self-selected list
// and the latest state of each order. Any thread may call any operation: each takes the lock it
// needs for its whole run, and records go in and out as whole copies, never as references.
#pragma once
#include <vector>
#include <afx.h>
#include <afxmt.h>
#include "OrderStateRecord.h"
#include "QuoteRow.h"
#include "SectorRecord.h"

// The user's own sector, mirrored from the self-selected list
extern const char MY_SECTOR_NAME[];

class QuoteStore
{
public:
    // Above this many order states, each update drops the oldest final one.
    enum { ORDER_STATE_CAP = 200 };

    QuoteStore();
    ~QuoteStore();

    void GetSectors(std::vector<SectorRecord>& sectors) const;
    // The first sector of that name
    BOOL GetSector(LPCTSTR pszName, SectorRecord& sector) const;
    // Rows first .. first+count-1 of the first sector of that name (fewer at its end): what
    // a window shows of a long sector, without copying the rest. FALSE when there is no
    // such sector.
    BOOL GetSectorRowRange(LPCTSTR pszName, int nFirst, int nCount, std::vector<SectorRow>& rows) const;
    // The sector at a position of the store order (0 .. count-1)
    BOOL GetSectorRows(int nPosition, SectorRecord& sector) const;
    // The first row of the code: sectors in store order, rows in sector order
    BOOL GetQuoteRow(LPCTSTR pszCode, SectorRow& row) const;
    BOOL GetInstrumentName(LPCTSTR pszCode, CString& strName) const;
    BOOL SectorContains(LPCTSTR pszSector, LPCTSTR pszCode) const;
    // Market key, sector name and extra text of the first sector whose code map holds the code
    BOOL FindInstrument(LPCTSTR pszCode, CString& strMarketKey, CString& strSectorName,
                        CString& strExtra) const;

    // Adds a sector, or merges it into the stored sector of the same name (the stored sort
    // column and order stay). The rows of self-listed codes are mirrored into "我的板块".
    void AddSector(SectorRecord record);
    // Adds the code's row to the end of "我的板块" and of the self list; unknown codes are
    // ignored.
    void AddToMySector(LPCTSTR pszCode);
    void AddToMySector(const SectorRow& row) { AddToMySector(row.strCode); }
    // Removes the first row of the code from the first sector of that name. Removing from
    // "我的板块" also drops the code from the self list, so the next merge of a sector does
    // not bring it back.
    void RemoveFromMySector(LPCTSTR pszSector, LPCTSTR pszCode);
    void RemoveFromMySector(LPCTSTR pszCode) { RemoveFromMySector(MY_SECTOR_NAME, pszCode); }

    void SetSelfList(std::vector<CString> codes);
    void GetSelfList(std::vector<CString>& codes) const;
    int GetNextSelfIndex() const;

    // 0 when the sector already has this column and order, or there is no sector at the
    // position; else stores them, sorts its rows and returns 1.
    BOOL SortSector(int nPosition, int nSortColumn, int nSortOrder);

    // Applies a quote batch: each row updates the row of its code in "我的板块" and the first
    // row of its code in the other sectors. Rows keep their own name and initials.
    void UpdateQuotes(std::vector<QuoteRow> batch);

    void UpdateOrderState(OrderStateRecord record);
    BOOL FindOrderState(LPCTSTR pszOrderKey, OrderStateRecord& record) const;
    BOOL FindOrderStateByFirstKey(LPCTSTR pszClientRef, OrderStateRecord& record) const;
    void ClearOrderStates();
    int GetOrderStateCount() const;

private:
    BOOL FindOrderStateBy(CString OrderStateRecord::*field, LPCTSTR pszKey,
                          OrderStateRecord& record) const;
    QuoteStore(const QuoteStore&) = delete;
    QuoteStore& operator=(const QuoteStore&) = delete;

    // The callers hold m_sectorLock.
    SectorRecord* FindSectorLocked(LPCTSTR pszName);
    const SectorRow* FindRowLocked(LPCTSTR pszCode) const;
    const InstrumentRef* FindInstrumentLocked(LPCTSTR pszCode) const;
    void MergeSectorLocked(const SectorRecord& record);
    void MirrorIntoMySectorLocked(const SectorRecord& record);

    mutable CCriticalSection m_sectorLock;       // sectors, self list, next self index
    std::vector<SectorRecord> m_sectors;         // in the order of CompareSectors
    std::vector<CString> m_selfList;             // self-selected codes in list order
    int m_nNextSelfIndex;                        // list index of the next added self code

    mutable CCriticalSection m_orderStateLock;   // order states only
    std::vector<OrderStateRecord> m_orderStates; // oldest first
};

// The one store of the process, created on first use
QuoteStore& GetQuoteStore();
