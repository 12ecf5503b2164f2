// The orders of the quote store: sectors by a fixed table of names, rows by a quote column.
#pragma once
#include <vector>
#include <afx.h>
#include "SectorRecord.h"

// Strict order of sector names: the fixed table ("沪深", "美股", "港股", "原油", "黄金", "白银",
// "外汇", "外汇现货") in table order, then every other sector (equal among themselves), then
// "我的板块" last.
bool CompareSectors(const CString& a, const CString& b);

// Strict weak order of two rows under a sort column and order (order nonzero: descending).
// Numeric columns put halted instruments last in both directions; text columns (code,
// initials) and the list index ignore the halted flag.
bool CompareSectorRows(const SectorRow& a, const SectorRow& b, int nSortColumn,
                       int nSortOrder);

// Sorts rows by CompareSectorRows (not stable). Each row's sort value is read once.
void SortSectorRows(std::vector<SectorRow>& rows, int nSortColumn, int nSortOrder);

// Sorts sectors by CompareSectors, keeping the order among sectors that it calls equal.
void SortSectors(std::vector<SectorRecord>& sectors);
