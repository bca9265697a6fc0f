#!/usr/bin/python3
"""Writes the participant-list fixtures the list tests read, with other programs' writers:
openpyxl for Excel workbooks, odfpy for OpenDocument spreadsheets, Python's codecs for text.

    make_fixtures.py OUTPUT_FOLDER
"""
import datetime
import html
import os
import re
import sys
import zipfile
from xml.sax.saxutils import escape

import openpyxl
from odf.opendocument import OpenDocumentSpreadsheet
from odf.table import Table, TableRow, TableCell
from odf.text import P, S, LineBreak

out = sys.argv[1]
os.makedirs(out, exist_ok=True)


def path(name):
    return os.path.join(out, name)


# A list as event staff keep it, with the awkward cells lists really have.
HEADER = ["氏名", "フリガナ", "会社名", "役職", "会員番号"]
PEOPLE = [
    ["山田　太郎", "ヤマダ　タロウ", "山田商事, 本社", "代表取締役", "00123"],
    ["佐藤 花子", "サトウ ハナコ", "営業部\n第一課", "課長", "00456"],
    ["鈴木 \"ジロー\" 次郎", "スズキ ジロウ", "", "", "7"],
]


def write_text(name, text, encoding, bom=b""):
    with open(path(name), "wb") as f:
        f.write(bom + text.encode(encoding))


def csv_text(rows, separator):
    def field(cell):
        if any(c in cell for c in (separator, '"', "\n", "\r")):
            return '"' + cell.replace('"', '""') + '"'
        return cell
    return "".join(separator.join(field(c) for c in row) + "\r\n" for row in rows)


rows = [HEADER] + PEOPLE
write_text("utf8.csv", csv_text(rows, ","), "utf-8")
write_text("utf8-bom.csv", csv_text(rows, ","), "utf-8", b"\xef\xbb\xbf")
write_text("cp932.csv", csv_text(rows, ","), "cp932")
write_text("semicolon.csv", csv_text(rows, ";"), "utf-8")
# A spreadsheet's "Unicode text": UTF-16 little-endian with a mark, tab-separated.
write_text("unicode-text.txt", csv_text(rows, "\t"), "utf-16-le", b"\xff\xfe")
write_text("utf16be.csv", csv_text(rows, ","), "utf-16-be", b"\xfe\xff")

# Excel workbook: two sheets, text and number cells with formats, a line break, text that code
# page 932 cannot hold.
book = openpyxl.Workbook()
sheet = book.active
sheet.title = "参加者"
sheet.append(HEADER + ["人数", "金額", "受付日", "番号"])
for person in PEOPLE:
    sheet.append(person + [2, 1.5, datetime.date(2026, 4, 1), 7])
sheet.append(["𠮷田 一郎", "ヨシダ イチロウ", "😀倶楽部", "", "00789", 10, 2500, datetime.date(2026, 12, 24), 42])
for row in sheet.iter_rows(min_row=2):
    row[6].number_format = "#,##0.00"
    row[7].number_format = "yyyy/m/d"
    row[8].number_format = "000"
sheet.append([])
sheet.append(["末尾 行"])
staff = book.create_sheet("スタッフ")
staff.append(["名前", "所属"])
staff.append(["受付 係", "実行委員会"])
book.save(path("people.xlsx"))

# What Excel itself writes and openpyxl does not: shared strings, with phonetic runs (rPh) after
# the text of some; one inline string is kept, with an escaped character in it.
def shared_strings_workbook(source_name, target_name):
    strings = []

    def to_shared(match):
        text = html.unescape(match.group(2))
        if text == "末尾 行":
            return '<c r="%s" t="inlineStr"><is><t>末尾_x005F_x_x000D_行</t></is></c>' % match.group(1)
        strings.append(text)
        return '<c r="%s" t="s"><v>%d</v></c>' % (match.group(1), len(strings) - 1)

    def item(text):
        if text == "代表取締役":
            return ("<si><r><t>代表</t></r><r><t>取締役</t></r>"
                    '<rPh sb="0" eb="2"><t>ダイヒョウ</t></rPh><phoneticPr fontId="1"/></si>')
        return "<si><t xml:space=\"preserve\">%s</t></si>" % escape(text)

    with zipfile.ZipFile(path(source_name)) as source, zipfile.ZipFile(path(target_name), "w") as target:
        for info in source.infolist():
            data = source.read(info.filename).decode("utf-8")
            if info.filename == "xl/worksheets/sheet1.xml":
                data = re.sub(r'<c r="([A-Z]+[0-9]+)" t="inlineStr"><is><t>(.*?)</t></is></c>', to_shared, data)
            elif info.filename == "[Content_Types].xml":
                data = data.replace("</Types>", '<Override PartName="/xl/sharedStrings.xml" ContentType='
                                    '"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>'
                                    "</Types>")
            elif info.filename == "xl/_rels/workbook.xml.rels":
                data = data.replace("</Relationships>", '<Relationship Id="rIdStrings" Type="http://schemas.'
                                    'openxmlformats.org/officeDocument/2006/relationships/sharedStrings" '
                                    'Target="sharedStrings.xml"/></Relationships>')
            target.writestr(info, data.encode("utf-8"))
        target.writestr("xl/sharedStrings.xml",
                        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n<sst xmlns="http://schemas.'
                        'openxmlformats.org/spreadsheetml/2006/main" count="%d" uniqueCount="%d">%s</sst>'
                        % (len(strings), len(strings), "".join(item(t) for t in strings)))


shared_strings_workbook("people.xlsx", "phonetic.xlsx")

# OpenDocument spreadsheet: the shown text of each cell, repeated columns and rows, spaces
# written as text:s, two paragraphs in one cell.
doc = OpenDocumentSpreadsheet()


def cell(text=None, repeat=1, value_type=None, value=None):
    attributes = {}
    if repeat > 1:
        attributes["numbercolumnsrepeated"] = repeat
    if value_type:
        attributes["valuetype"] = value_type
        attributes["value"] = value
    c = TableCell(**attributes)
    if text is not None:
        for i, paragraph in enumerate(text.split("\n")):
            p = P()
            pieces = paragraph.split("  ")
            for k, piece in enumerate(pieces):
                if k > 0:
                    p.addElement(S(c=2))
                p.addText(piece)
            c.addElement(p)
    return c


table = Table(name="名簿")
header = TableRow()
for name in ["姓", "名", "セイ", "メイ", "団体名", "会員番号"]:
    header.addElement(cell(name))
table.addElement(header)
for family, given, family_kana, given_kana, group, number in [
    ("高橋", "健", "タカハシ", "ケン", "北  高校", "0012"),
    ("伊藤", "美咲", "イトウ", "ミサキ", "南中学校\n吹奏楽部", "0034"),
]:
    row = TableRow()
    for text in (family, given, family_kana, given_kana, group):
        row.addElement(cell(text))
    row.addElement(cell(number))
    table.addElement(row)
table.addElement(TableRow(numberrowsrepeated=3))
last = TableRow()
last.addElement(cell(repeat=2))
last.addElement(cell("ワタナベ"))
last.addElement(cell("1.5", value_type="float", value="1.5"))
last.addElement(cell(repeat=1020))
table.addElement(last)
table.addElement(TableRow(numberrowsrepeated=1048000))
doc.spreadsheet.addElement(table)
second = Table(name="控え")
second.addElement(TableRow())
doc.spreadsheet.addElement(second)
doc.save(path("people.ods"))

# Small files that stand for huge tables: a space count of three billion, a 10 KB cell repeated
# over 16,000 columns and 1,000 rows, a 10 MB shared string in 2,000 cells, and one strings part
# named by 101 relationships (with a cell asking for a second string the part does not hold).
ODS_NAMESPACES = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
                  'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
                  'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"')


def write_zip(name, entries):
    with zipfile.ZipFile(path(name), "w", zipfile.ZIP_DEFLATED) as z:
        for entry, data in entries:
            z.writestr(entry, data)


def ods(name, rows):
    write_zip(name, [("mimetype", "application/vnd.oasis.opendocument.spreadsheet"),
                     ("content.xml", '<office:document-content %s><office:body><office:spreadsheet>'
                      '<table:table table:name="S">%s</table:table></office:spreadsheet></office:body>'
                      '</office:document-content>' % (ODS_NAMESPACES, rows))])


def xlsx(name, cells, strings, extra_relationships=0):
    main = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
    relationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
    rels = ['<Relationship Id="rId1" Type="%s/worksheet" Target="worksheets/sheet1.xml"/>' % relationships]
    rels += ['<Relationship Id="rIdS%d" Type="%s/sharedStrings" Target="sharedStrings.xml"/>' % (i, relationships)
             for i in range(1 + extra_relationships)]
    write_zip(name, [
        ("[Content_Types].xml", '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>'),
        ("xl/workbook.xml", '<workbook %s xmlns:r="%s"><sheets><sheet name="S" sheetId="1" r:id="rId1"/>'
                            '</sheets></workbook>' % (main, relationships)),
        ("xl/_rels/workbook.xml.rels", '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/'
                                       'relationships">%s</Relationships>' % "".join(rels)),
        ("xl/worksheets/sheet1.xml", '<worksheet %s><sheetData>%s</sheetData></worksheet>' % (main, cells)),
        ("xl/sharedStrings.xml", '<sst %s>%s</sst>' % (main, "".join("<si><t>%s</t></si>" % t for t in strings))),
    ])


ods("space-count.ods", '<table:table-row><table:table-cell><text:p>a<text:s text:c="3000000000"/></text:p>'
                       '</table:table-cell></table:table-row>')
ods("repeated-cells.ods", '<table:table-row table:number-rows-repeated="1000"><table:table-cell '
                          'table:number-columns-repeated="16000"><text:p>%s</text:p></table:table-cell>'
                          '</table:table-row>' % ("x" * 10240))
xlsx("shared-string.xlsx", "".join('<row r="%d"><c r="A%d" t="s"><v>0</v></c></row>' % (r, r)
                                   for r in range(1, 2001)), ["y" * 10 * 1024 * 1024])
xlsx("strings-twice.xlsx", '<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c></row>',
     ["名前"], extra_relationships=100)

# Files that are not lists.
with open(path("people.xlsx"), "rb") as f:
    whole = f.read()
with open(path("damaged.xlsx"), "wb") as f:
    f.write(whole[: len(whole) // 2])
with open(path("protected.xlsx"), "wb") as f:
    f.write(b"\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1" + bytes(504))
with open(path("binary.csv"), "wb") as f:
    f.write(bytes(range(256)) * 4)
with zipfile.ZipFile(path("plain.zip"), "w") as z:
    z.writestr("readme.txt", "not a workbook")
