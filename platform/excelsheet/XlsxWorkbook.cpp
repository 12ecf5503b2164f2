#include "XlsxWorkbook.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <libxml/xmlreader.h>

#include "CellFormat.h"

namespace {

// A streaming reader over one XML part; no network, no entity expansion.
class PartReader {
public:
    explicit PartReader(const std::string& xml)
        : reader_(xmlReaderForMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                                     XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING))
    {
    }
    ~PartReader()
    {
        if (reader_)
            xmlFreeTextReader(reader_);
    }
    PartReader(const PartReader&) = delete;
    PartReader& operator=(const PartReader&) = delete;

    // 1 next node, 0 end of part, -1 malformed XML.
    int Next() { return reader_ ? xmlTextReaderRead(reader_) : -1; }
    bool IsStart(const char* name) const { return Type() == XML_READER_TYPE_ELEMENT && Named(name); }
    bool IsEnd(const char* name) const
    {
        return Type() == XML_READER_TYPE_END_ELEMENT && Named(name);
    }
    bool IsEmptyElement() const { return xmlTextReaderIsEmptyElement(reader_) == 1; }
    bool IsText() const
    {
        int type = Type();
        return type == XML_READER_TYPE_TEXT || type == XML_READER_TYPE_SIGNIFICANT_WHITESPACE ||
               type == XML_READER_TYPE_WHITESPACE || type == XML_READER_TYPE_CDATA;
    }
    std::string Value() const { return Owned(xmlTextReaderValue(reader_)); }
    // Attribute by local name, whatever its namespace prefix.
    std::string Attribute(const char* name) const
    {
        std::string result;
        if (xmlTextReaderMoveToFirstAttribute(reader_) != 1)
            return result;
        do {
            const xmlChar* local = xmlTextReaderConstLocalName(reader_);
            if (local && std::strcmp(reinterpret_cast<const char*>(local), name) == 0) {
                result = Owned(xmlTextReaderValue(reader_));
                break;
            }
        } while (xmlTextReaderMoveToNextAttribute(reader_) == 1);
        xmlTextReaderMoveToElement(reader_);
        return result;
    }

private:
    int Type() const { return xmlTextReaderNodeType(reader_); }
    bool Named(const char* name) const
    {
        const xmlChar* local = xmlTextReaderConstLocalName(reader_);
        return local && std::strcmp(reinterpret_cast<const char*>(local), name) == 0;
    }
    static std::string Owned(xmlChar* text)
    {
        std::string result = text ? reinterpret_cast<const char*>(text) : "";
        xmlFree(text);
        return result;
    }

    xmlTextReaderPtr reader_;
};

// "AB12" into column 28 and row 12; false for anything else.
bool ParseCellReference(const std::string& ref, int& row, int& column)
{
    size_t i = 0;
    column = 0;
    while (i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z' && column <= 16384)
        column = column * 26 + (ref[i++] - 'A' + 1);
    row = 0;
    size_t digits = i;
    while (i < ref.size() && ref[i] >= '0' && ref[i] <= '9' && row <= 1048576)
        row = row * 10 + (ref[i++] - '0');
    return i == ref.size() && i > digits && digits > 0 && column >= 1 && column <= 16384 &&
           row >= 1 && row <= 1048576;
}

// A relationship target is relative to "xl/" unless it starts at the package root.
std::string PartName(const std::string& target)
{
    if (!target.empty() && target[0] == '/')
        return target.substr(1);
    return "xl/" + target;
}

// The most a sheet and the shared-string table may hold: far beyond any strategy workbook,
// and small enough that a part of tiny elements cannot make us keep gigabytes.
const size_t kMaxCells = 500000;
const size_t kMaxSharedStrings = 500000;
const int kMaxRow = 1048576;
const int kMaxColumn = 16384;  // XFD

// A whole decimal number not above limit; false for anything else ("", "x", "3a", "-1").
bool ParseIndexNumber(const std::string& text, unsigned long long limit, unsigned long long& value)
{
    value = 0;
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > limit)
            return false;
    }
    return true;
}

bool ParseNumber(const std::string& text, double& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}

}  // namespace

std::string XlsxSheet::Text(int row, int column) const
{
    auto found = texts.find({row, column});
    return found == texts.end() ? std::string() : found->second;
}

bool XlsxWorkbook::Fail(const std::string& message)
{
    error_ = message;
    return false;
}

bool XlsxWorkbook::Open(const std::string& path)
{
    sheetNames_.clear();
    sheetParts_.clear();
    sharedStrings_.clear();
    styles_.clear();
    date1904_ = false;
    error_.clear();
    if (!archive_.Open(path))
        return Fail("not a zip archive: " + path);
    return ReadWorkbookPart() && ReadSharedStrings() && ReadStyles();
}

bool XlsxWorkbook::ReadRelations(std::map<std::string, std::string>& targets)
{
    std::string xml;
    if (!archive_.ReadEntry("xl/_rels/workbook.xml.rels", xml))
        return Fail("workbook relations missing");
    PartReader reader(xml);
    int step;
    while ((step = reader.Next()) == 1)
        if (reader.IsStart("Relationship"))
            targets[reader.Attribute("Id")] = reader.Attribute("Target");
    return step == 0 || Fail("workbook relations malformed");
}

bool XlsxWorkbook::ReadWorkbookPart()
{
    std::map<std::string, std::string> targets;
    if (!ReadRelations(targets))
        return false;
    std::string xml;
    if (!archive_.ReadEntry("xl/workbook.xml", xml))
        return Fail("workbook part missing");
    PartReader reader(xml);
    int step;
    while ((step = reader.Next()) == 1) {
        if (reader.IsStart("workbookPr")) {
            std::string flag = reader.Attribute("date1904");
            date1904_ = flag == "1" || flag == "true";
        } else if (reader.IsStart("sheet")) {
            auto target = targets.find(reader.Attribute("id"));
            if (target == targets.end())
                return Fail("sheet without a part: " + reader.Attribute("name"));
            sheetNames_.push_back(reader.Attribute("name"));
            sheetParts_.push_back(PartName(target->second));
        }
    }
    return step == 0 || Fail("workbook part malformed");
}

bool XlsxWorkbook::ReadSharedStrings()
{
    std::string xml;
    if (!archive_.ReadEntry("xl/sharedStrings.xml", xml))
        return true;  // a workbook without text cells has no table
    PartReader reader(xml);
    std::string current;
    bool inItem = false, inText = false;
    int phonetic = 0;
    int step;
    while ((step = reader.Next()) == 1) {
        if (reader.IsStart("si") && !reader.IsEmptyElement()) {
            inItem = true;
            current.clear();
        } else if (reader.IsStart("si")) {
            if (sharedStrings_.size() >= kMaxSharedStrings)
                return Fail("too many shared strings");
            sharedStrings_.push_back("");
        } else if (reader.IsEnd("si")) {
            if (sharedStrings_.size() >= kMaxSharedStrings)
                return Fail("too many shared strings");
            sharedStrings_.push_back(current);
            inItem = false;
        } else if (reader.IsStart("rPh") && !reader.IsEmptyElement()) {
            ++phonetic;  // reading aids are not part of the displayed text
        } else if (reader.IsEnd("rPh")) {
            --phonetic;
        } else if (reader.IsStart("t") && !reader.IsEmptyElement()) {
            inText = true;
        } else if (reader.IsEnd("t")) {
            inText = false;
        } else if (inItem && inText && phonetic == 0 && reader.IsText()) {
            current += reader.Value();
        }
    }
    return step == 0 || Fail("shared strings malformed");
}

bool XlsxWorkbook::ReadStyles()
{
    std::string xml;
    if (!archive_.ReadEntry("xl/styles.xml", xml))
        return true;
    PartReader reader(xml);
    std::map<int, std::string> customCodes;
    bool inCellXfs = false;
    std::vector<int> formatIds;
    int step;
    while ((step = reader.Next()) == 1) {
        if (reader.IsStart("numFmt")) {
            customCodes[std::atoi(reader.Attribute("numFmtId").c_str())] = reader.Attribute("formatCode");
        } else if (reader.IsStart("cellXfs")) {
            inCellXfs = !reader.IsEmptyElement();
        } else if (reader.IsEnd("cellXfs")) {
            inCellXfs = false;
        } else if (inCellXfs && reader.IsStart("xf")) {
            formatIds.push_back(std::atoi(reader.Attribute("numFmtId").c_str()));
        }
    }
    if (step != 0)
        return Fail("styles malformed");
    for (int id : formatIds) {
        auto custom = customCodes.find(id);
        std::string code = custom != customCodes.end() ? custom->second : CellFormat::BuiltinDateCode(id);
        bool isDate = CellFormat::IsDateFormat(id, code);
        styles_.push_back({isDate, isDate ? code : std::string()});
    }
    return true;
}

bool XlsxWorkbook::DisplayText(const std::string& type, const std::string& value, int style, std::string& text) const
{
    text.clear();
    if (type == "s") {
        // An index that is no number, or past the table, is a damaged sheet, not an empty cell.
        unsigned long long index = 0;
        if (!ParseIndexNumber(value, sharedStrings_.size(), index) || index >= sharedStrings_.size())
            return false;
        text = sharedStrings_[static_cast<size_t>(index)];
        return true;
    }
    if (type == "str" || type == "e" || type == "inlineStr") {
        text = value;
        return true;
    }
    if (type == "b") {
        text = value == "1" ? "TRUE" : "FALSE";
        return true;
    }
    double number;
    if (!ParseNumber(value, number))
        text = value;
    else if (style >= 0 && static_cast<size_t>(style) < styles_.size() && styles_[style].isDate)
        text = CellFormat::Date(number, styles_[style].dateCode, date1904_);
    else
        text = CellFormat::General(number);
    return true;
}

bool XlsxWorkbook::ReadSheet(size_t index, XlsxSheet& sheet)
{
    // A sheet that fails is not half read: nothing of it is given back.
    if (ReadSheetPart(index, sheet))
        return true;
    sheet = XlsxSheet();
    return false;
}

bool XlsxWorkbook::ReadSheetPart(size_t index, XlsxSheet& sheet)
{
    sheet = XlsxSheet();
    if (index >= sheetParts_.size())
        return Fail("no such sheet");
    sheet.name = sheetNames_[index];
    std::string xml;
    if (!archive_.ReadEntry(sheetParts_[index], xml))
        return Fail("sheet part missing: " + sheetParts_[index]);
    PartReader reader(xml);
    int row = 0, column = 0, style = 0;
    std::string type, value;
    bool inCell = false, inValue = false, inInline = false, inPhonetic = false;
    auto extend = [&sheet](int r, int c) {
        if (!sheet.lastRow) {
            sheet.firstRow = sheet.lastRow = r;
            sheet.firstColumn = sheet.lastColumn = c;
            return;
        }
        sheet.firstRow = std::min(sheet.firstRow, r), sheet.lastRow = std::max(sheet.lastRow, r);
        sheet.firstColumn = std::min(sheet.firstColumn, c), sheet.lastColumn = std::max(sheet.lastColumn, c);
    };
    int step;
    while ((step = reader.Next()) == 1) {
        if (reader.IsStart("row")) {
            std::string number = reader.Attribute("r");
            unsigned long long given = 0;
            if (number.empty())
                ++row;
            else if (ParseIndexNumber(number, kMaxRow, given) && given >= 1)
                row = static_cast<int>(given);
            else
                return Fail("bad row number: " + number);
            column = 0;
        } else if (reader.IsStart("c")) {
            std::string ref = reader.Attribute("r");
            int r = row, c = column + 1;
            if (!ref.empty() && !ParseCellReference(ref, r, c))
                return Fail("bad cell reference: " + ref);
            // Cells without a reference count on from the last one: not past row 1048576 or
            // column XFD, which no sheet has.
            if (r < 1 || r > kMaxRow)
                return Fail("bad row number");
            if (c < 1 || c > kMaxColumn)
                return Fail("cell past column XFD");
            row = r, column = c;
            type = reader.Attribute("t");
            style = std::atoi(reader.Attribute("s").c_str());
            value.clear();
            extend(row, column);
            inCell = !reader.IsEmptyElement();
        } else if (reader.IsEnd("c")) {
            std::string text;
            if (!DisplayText(type, value, style, text))
                return Fail("bad shared string index: " + value);
            if (!text.empty()) {
                if (sheet.texts.size() >= kMaxCells)
                    return Fail("too many cells: " + sheetParts_[index]);
                sheet.texts[{row, column}] = text;
            }
            inCell = false;
        } else if (inCell && (reader.IsStart("v") || (inInline && reader.IsStart("t")))) {
            inValue = !reader.IsEmptyElement();
        } else if (inCell && (reader.IsEnd("v") || reader.IsEnd("t"))) {
            inValue = false;
        } else if (inCell && reader.IsStart("is")) {
            inInline = !reader.IsEmptyElement();
        } else if (reader.IsEnd("is")) {
            inInline = false;
        } else if (inInline && reader.IsStart("rPh")) {
            inPhonetic = !reader.IsEmptyElement();
        } else if (reader.IsEnd("rPh")) {
            inPhonetic = false;
        } else if (inCell && inValue && !inPhonetic && reader.IsText()) {
            value += reader.Value();
        }
    }
    return step == 0 || Fail("sheet malformed: " + sheetParts_[index]);
}
