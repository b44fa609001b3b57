#!/usr/bin/python3
"""Writes one transcript three ways into tests/data/: as a GBK CSV, a UTF-8 CSV with a byte-order
mark (as Excel saves "CSV UTF-8") and as .xlsx from two real spreadsheet writers, each with a
title row above the header: openpyxl (Debian's python3-openpyxl), which writes its texts inline,
and XlsxWriter (python3-xlsxwriter), which puts them in the shared strings table as Excel does.

  tools/make_transcript_fixtures.py [DATA_DIR]
"""
import csv
import io
import os
import sys

import openpyxl
import xlsxwriter

ROWS = [
    ["课程名称", "学分", "成绩"],
    ["高等数学", 5, "优"],
    ["大学英语", 3, "良好"],
    ["体育", 1, "通过"],
    ["线性代数", 4, "及格"],
    ["高等数学", 5, 92],
    ["Linear Algebra, Honours", 2.5, 88.5],
]


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..",
                                                                "tests", "data")
    text = io.StringIO()
    csv.writer(text, lineterminator="\r\n").writerows(ROWS)
    with open(os.path.join(data, "transcript_gbk.csv"), "wb") as out:
        out.write(text.getvalue().encode("gbk"))
    with open(os.path.join(data, "transcript_utf8.csv"), "wb") as out:
        out.write(text.getvalue().encode("utf-8-sig"))
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "成绩单"
    sheet.append(["2025-2026学年 成绩单"])
    for row in ROWS:
        sheet.append(row)
    book.save(os.path.join(data, "transcript.xlsx"))
    book = xlsxwriter.Workbook(os.path.join(data, "transcript_shared.xlsx"))
    sheet = book.add_worksheet("成绩单")
    sheet.write_row(0, 0, ["2025-2026学年 成绩单"])
    for number, row in enumerate(ROWS):
        sheet.write_row(number + 1, 0, row)
    book.close()


if __name__ == "__main__":
    main()
