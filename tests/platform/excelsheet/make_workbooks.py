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


MAIN_NS = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
REL_NS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"


def raw_workbook(path, sheet_parts, shared=None, names=None):
    """A workbook written part by part: sheet_parts maps each sheet's part name to its XML
    (a part may be named by several sheets through names: a list of (sheet name, part))."""
    if names is None:
        names = [("Sheet%d" % (i + 1), part) for i, part in enumerate(sheet_parts)]
    parts = {part: i for i, part in enumerate(sheet_parts)}
    relations = "".join('<Relationship Id="rId%d" Type="%s/worksheet" Target="%s"/>' % (i, REL_NS, part)
                        for part, i in parts.items())
    sheets = "".join('<sheet name="%s" sheetId="%d" r:id="rId%d"/>' % (name, n + 1, parts[part])
                     for n, (name, part) in enumerate(names))
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("xl/_rels/workbook.xml.rels",
                   '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">%s'
                   '</Relationships>' % relations)
        z.writestr("xl/workbook.xml", '<workbook xmlns="%s" xmlns:r="%s"><sheets>%s</sheets></workbook>'
                   % (MAIN_NS, REL_NS, sheets))
        for part, xml in sheet_parts.items():
            z.writestr("xl/" + part, xml)
        if shared is not None:
            z.writestr("xl/sharedStrings.xml", '<sst xmlns="%s">%s</sst>'
                       % (MAIN_NS, "".join("<si><t>%s</t></si>" % text for text in shared)))


def sheet_xml(rows):
    return '<worksheet xmlns="%s"><sheetData>%s</sheetData></worksheet>' % (MAIN_NS, rows)


def hostile(directory):
    """Workbooks a hostile or damaged file may be: each must be refused quickly and in bounded
    memory, or read only as far as it is asked."""
    def out(name):
        return os.path.join(directory, name)
    # 64 sheets that all name one part of some 16 MiB: only the sheet asked for is read.
    big_rows = '<row r="1"><c r="A1" t="inlineStr"><is><t>first</t></is></c></row>' + \
        "".join('<row r="%d"/>' % n for n in range(2, 1000002))
    raw_workbook(out("onepart.xlsx"), {"worksheets/big.xml": sheet_xml(big_rows)},
                 names=[("S%d" % n, "worksheets/big.xml") for n in range(64)])
    # A deflate bomb: one sheet of 200 MiB of blanks.
    with zipfile.ZipFile(out("bomb.xlsx"), "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("xl/_rels/workbook.xml.rels",
                   '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
                   '<Relationship Id="rId1" Type="%s/worksheet" Target="worksheets/sheet1.xml"/></Relationships>'
                   % REL_NS)
        z.writestr("xl/workbook.xml", '<workbook xmlns="%s" xmlns:r="%s"><sheets><sheet name="Bomb" '
                   'sheetId="1" r:id="rId1"/></sheets></workbook>' % (MAIN_NS, REL_NS))
        with z.open("xl/worksheets/sheet1.xml", "w", force_zip64=True) as part:
            part.write(b"<worksheet><sheetData>")
            blanks = b" " * (1024 * 1024)
            for _ in range(200):
                part.write(blanks)
            part.write(b"</sheetData></worksheet>")
    # Cells without a reference run on past column XFD.
    raw_workbook(out("pastxfd.xlsx"), {"worksheets/sheet1.xml": sheet_xml('<row r="1">' + "<c><v>1</v></c>" * 16385
                                                                          + "</row>")})
    # Shared-string indexes that are no number, or past the table.
    raw_workbook(out("badindex.xlsx"), {"worksheets/sheet1.xml": sheet_xml('<row r="1"><c r="A1" t="s"><v>x</v></c></row>')},
                 shared=["zero"])
    raw_workbook(out("pastindex.xlsx"), {"worksheets/sheet1.xml": sheet_xml('<row r="1"><c r="A1" t="s"><v>5</v></c></row>')},
                 shared=["zero"])
    # A row number that is no number.
    raw_workbook(out("badrow.xlsx"), {"worksheets/sheet1.xml": sheet_xml('<row r="x1"><c><v>1</v></c></row>')})
    # A used range of the whole sheet: A1 to XFD1048576.
    raw_workbook(out("wholesheet.xlsx"), {"worksheets/sheet1.xml": sheet_xml(
        '<row r="1"><c r="A1" t="inlineStr"><is><t>x</t></is></c></row>'
        '<row r="1048576"><c r="XFD1048576" t="inlineStr"><is><t>x</t></is></c></row>')})


def main():
    directory = sys.argv[1]
    os.makedirs(directory, exist_ok=True)
    book = os.path.join(directory, "strategies.xlsx")
    strategies(book)
    shared_strings(book, os.path.join(directory, "shared.xlsx"))
    broken(directory)
    hostile(directory)


if __name__ == "__main__":
    main()
