#pragma once
#include <memory>
#include <vector>

#include "AutomationObject.h"
#include "XlsxWorkbook.h"

// Application, Workbooks, Workbook, Worksheets and Worksheet of the automation model: the
// workbook is read whole when it is opened, and every object keeps what it needs alive.

struct OpenBook {
    XlsxWorkbook reader;
    std::vector<std::shared_ptr<const XlsxSheet>> sheets;
    bool saved = true;
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
    explicit WorksheetObject(std::shared_ptr<const XlsxSheet> sheet);

protected:
    HRESULT Call(MemberId id, WORD flags, const std::vector<VARIANT>& args, VARIANT* result) override;

private:
    std::shared_ptr<const XlsxSheet> sheet_;
};
