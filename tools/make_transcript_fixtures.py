#!/usr/bin/python3
"""Writes one transcript three ways into tests/data/: as a GBK CSV, a UTF-8 CSV with a byte-order
mark (as Excel saves "CSV UTF-8") and as .xlsx from two real spreadsheet writers, each with a
title row above the header: openpyxl (Debian's python3-openpyxl), which writes its texts inline,
and XlsxWriter (python3-xlsxwriter), which puts them in the shared strings table as Excel does;
and as .xls (Excel 97-2003, BIFF8) from xlwt (python3-xlwt). transcript_cells.xls holds the cells that are no numbers: dates, booleans and a formula. A
second transcript, four years of
42 courses with their terms and categories as an academic system exports them, goes out as
transcript_terms.xlsx, transcript_terms.xls and as GBK and UTF-8 CSV.

  tools/make_transcript_fixtures.py [DATA_DIR]
"""
import csv
import datetime
import io
import os
import sys

import openpyxl
import xlsxwriter
import xlwt

ROWS = [
    ["课程名称", "学分", "成绩"],
    ["高等数学", 5, "优"],
    ["大学英语", 3, "良好"],
    ["体育", 1, "通过"],
    ["线性代数", 4, "及格"],
    ["高等数学", 5, 92],
    ["Linear Algebra, Honours", 2.5, 88.5],
]

# 学年学期, 课程代码, 课程名称, 课程性质, 学分, 成绩, 绩点: passed and failed pass/fail grades
# among worded and numbered ones, a name with a comma, and no course taken twice.
TERMS_HEADER = ["学年学期", "课程代码", "课程名称", "课程性质", "学分", "成绩", "绩点"]
CATEGORIES = ["必修", "专业必修", "专业选修", "通识教育选修", "公共必修", "实践环节"]
NAMES = ("高等数学A1 大学英语1 思想道德与法治 体育1 军事理论 程序设计基础 高等数学A2 大学英语2 "
         "线性代数 大学物理1 中国近现代史纲要 体育2 离散数学 数据结构 大学物理2 概率论与数理统计 "
         "马克思主义基本原理 体育3 计算机组成原理 数字电路 大学物理实验 毛泽东思想概论 体育4 "
         "操作系统 计算机网络 数据库系统 算法设计与分析 形势与政策 编译原理 软件工程 人工智能导论 "
         "信息安全 计算机图形学 机器学习 专业实习 创新创业基础 分布式系统 嵌入式系统 科技写作 "
         "劳动教育 毕业设计 学术讲座").split()
GRADES = [92, 85.5, "优秀", 78, "良好", 66, 100, "中等", 88, 71, "及格", 95, 60, 83]


def terms_rows():
    rows = [TERMS_HEADER]
    for n in range(42):
        term = "%d-%d-%d" % (2021 + n // 12, 2022 + n // 12, 1 + n // 6 % 2)
        grade = {5: "通过", 17: "合格", 29: "P", 40: "不通过"}.get(n, GRADES[n % len(GRADES)])
        name = "Linear Algebra, Honours" if n == 9 else NAMES[n]
        points = "" if isinstance(grade, str) else round(max(grade - 50, 0) / 10, 1)
        rows.append([term, "C%04d" % (n + 1), name, CATEGORIES[n % len(CATEGORIES)],
                     [0.5, 1, 2, 3, 4, 2.5][n % 6], grade, points])
    return rows


def write_csv(data, stem, rows):
    text = io.StringIO()
    csv.writer(text, lineterminator="\r\n").writerows(rows)
    with open(os.path.join(data, stem + "_gbk.csv"), "wb") as out:
        out.write(text.getvalue().encode("gbk"))
    with open(os.path.join(data, stem + "_utf8.csv"), "wb") as out:
        out.write(text.getvalue().encode("utf-8-sig"))


def write_xls(path, rows):
    book = xlwt.Workbook(encoding="utf-8")
    sheet = book.add_sheet("成绩单")
    for number, row in enumerate(rows):
        for column, value in enumerate(row):
            sheet.write(number, column, value)
    book.save(path)


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..",
                                                                "tests", "data")
    write_csv(data, "transcript", ROWS)
    write_csv(data, "transcript_terms", terms_rows())
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "成绩单"
    sheet.append(["2025-2026学年 成绩单"])
    for row in ROWS:
        sheet.append(row)
    book.save(os.path.join(data, "transcript.xlsx"))
    book = openpyxl.Workbook()
    for row in terms_rows():
        book.active.append(row)
    book.save(os.path.join(data, "transcript_terms.xlsx"))
    book = xlsxwriter.Workbook(os.path.join(data, "transcript_shared.xlsx"))
    sheet = book.add_worksheet("成绩单")
    sheet.write_row(0, 0, ["2025-2026学年 成绩单"])
    for number, row in enumerate(ROWS):
        sheet.write_row(number + 1, 0, row)
    book.close()
    write_xls(os.path.join(data, "transcript.xls"), [["2025-2026学年 成绩单"]] + ROWS)
    write_xls(os.path.join(data, "transcript_terms.xls"), terms_rows())
    book = xlwt.Workbook()
    sheet = book.add_sheet("cells")
    sheet.write(0, 0, datetime.date(2024, 1, 1), xlwt.easyxf(num_format_str="YYYY-MM-DD"))
    sheet.write(0, 1, datetime.datetime(2024, 1, 1, 8, 30), xlwt.easyxf(num_format_str="YYYY-MM-DD hh:mm"))
    for column, value in enumerate([True, False, 3.5, 2, xlwt.Formula("1+2")]):
        sheet.write(0, column + 2, value)
    book.save(os.path.join(data, "transcript_cells.xls"))


if __name__ == "__main__":
    main()
