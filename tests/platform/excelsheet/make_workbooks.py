"""Writes the test workbooks with openpyxl (never with Tolvan's own code).

Usage: make_workbooks.py OUTPUT_DIR
"""
import datetime
import os
import re
import sys
import zipfile

import openpyxl


def strategies(path):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "策略表"
    sheet.append(["序号", "有效", "状态", "名称", "策略"])
    sheet.append([1, 1, "开启", "跟单一", "A|B|C"])
    numbers = [
        ("A3", 2.5), ("B3", 1 / 3), ("C3", 123456789012), ("D3", 0.1 + 0.2),
        ("E3", -1.5), ("F3", 1e-10), ("G3", 99999999999.6), ("H3", -1234567.891234),
        ("I3", 12345678901), ("J3", True), ("K3", 0), ("L3", 1e15), ("M3", "past L"),
    ]
    for ref, value in numbers:
        sheet[ref] = value
    sheet["A4"] = datetime.datetime(2024, 1, 5, 13, 7, 9)      # openpyxl: yyyy-mm-dd h:mm:ss
    sheet["B4"] = datetime.date(2023, 12, 31)                   # yyyy-mm-dd
    sheet["C4"] = datetime.datetime(2024, 2, 29)
    sheet["C4"].number_format = 'yyyy"年"m"月"d"日"'
    sheet["D4"] = datetime.datetime(2024, 3, 9, 15, 4)
    sheet["D4"].number_format = "mm-dd-yy"                      # built-in id 14
    sheet["E4"] = datetime.time(9, 30)
    sheet["E4"].number_format = "h:mm AM/PM"
    sheet["F4"] = 45000.75
    sheet["F4"].number_format = "0.00"                          # a number format, not a date
    other = book.create_sheet("Offset")
    other["B2"] = "x"
    other["D5"] = 7
    book.create_sheet("Empty")
    book.save(path)


def shared_strings(source, path):
    """The same workbook with its texts in a shared-string table, as Excel itself stores them,
    and B2 as a rich string of two runs with a phonetic reading aid."""
    table = []

    def share(match):
        table.append("<si><t>%s</t></si>" % match.group(2))
        return '<c r="%s" t="s"><v>%d</v></c>' % (match.group(1), len(table) - 1)

    with zipfile.ZipFile(source) as old, zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as new:
        for item in old.infolist():
            data = old.read(item.filename).decode("utf-8")
            if item.filename == "xl/worksheets/sheet1.xml":
                data = re.sub(r'<c r="([A-Z]+\d+)" t="inlineStr"><is><t>(.*?)</t></is></c>', share, data)
                table.append('<si><r><t>行</t></r><r><t xml:space="preserve">内 字</t></r>'
                             '<rPh sb="0" eb="1"><t>hang</t></rPh></si>')
                data, count = re.subn(r'<c r="B2" t="n"><v>1</v></c>',
                                      '<c r="B2" t="s"><v>%d</v></c>' % (len(table) - 1), data)
                assert count == 1, "cell B2 not found in sheet1.xml"
            elif item.filename == "xl/_rels/workbook.xml.rels":
                data = data.replace("</Relationships>",
                                    '<Relationship Id="rIdShared" Type="http://schemas.openxmlformats.org/'
                                    'officeDocument/2006/relationships/sharedStrings" '
                                    'Target="sharedStrings.xml"/></Relationships>')
            elif item.filename == "[Content_Types].xml":
                data = data.replace("</Types>",
                                    '<Override PartName="/xl/sharedStrings.xml" ContentType="application/'
                                    'vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/></Types>')
            new.writestr(item, data.encode("utf-8"))
        new.writestr("xl/sharedStrings.xml",
                     '<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="%d" '
                     'uniqueCount="%d">%s</sst>' % (len(table), len(table), "".join(table)))


def broken(directory):
    with open(os.path.join(directory, "notzip.xlsx"), "wb") as f:
        f.write(b"this is not a workbook\n")
    # The start of an OLE compound file, as an ".xls" workbook begins.
    with open(os.path.join(directory, "legacy.xls"), "wb") as f:
        f.write(bytes.fromhex("D0CF11E0A1B11AE1") + bytes(504))
    with zipfile.ZipFile(os.path.join(directory, "noworkbook.xlsx"), "w") as z:
        z.writestr("hello.txt", "no workbook part here")


def main():
    directory = sys.argv[1]
    os.makedirs(directory, exist_ok=True)
    book = os.path.join(directory, "strategies.xlsx")
    strategies(book)
    shared_strings(book, os.path.join(directory, "shared.xlsx"))
    broken(directory)


if __name__ == "__main__":
    main()
