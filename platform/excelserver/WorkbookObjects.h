#pragma once
#include <memory>
#include <vector>

#include "AutomationObject.h"
#include "XlsxWorkbook.h"

// Application, Workbooks, Workbook, Worksheets and Worksheet of the automation model: opening
// a workbook reads its sheet names; a sheet's cells are read when a range of it is first
// asked for, and only that sheet's. Every object keeps what it needs alive.

struct OpenBook {
    XlsxWorkbook reader;
    std::vector<std::shared_ptr<const XlsxSheet>> sheets;  // null until read
    bool saved = true;

    // The sheet at index, read on first use; null with the reader's error when it cannot be.
    std::shared_ptr<const XlsxSheet> Sheet(size_t index);
};

class ApplicationObject : public AutomationObject {
public:
    ApplicationObject();

protected:
    HRESULT Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result) override;

private:
    bool visible_ = false;
};

class WorkbooksObject : public AutomationObject {
public:
    WorkbooksObject();

protected:
    HRESULT Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result) override;
};

class WorkbookObject : public AutomationObject {
public:
    explicit WorkbookObject(std::shared_ptr<OpenBook> book);

protected:
    HRESULT Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result) override;

private:
    std::shared_ptr<OpenBook> book_;
};

class WorksheetsObject : public AutomationObject {
public:
    explicit WorksheetsObject(std::shared_ptr<OpenBook> book);

protected:
    HRESULT Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result) override;

private:
    std::shared_ptr<OpenBook> book_;
};

class WorksheetObject : public AutomationObject {
public:
    WorksheetObject(std::shared_ptr<OpenBook> book, size_t index);

protected:
    HRESULT Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result) override;

private:
    std::shared_ptr<OpenBook> book_;
    size_t index_;
};
