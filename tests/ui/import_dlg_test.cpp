#include "ui/import_dlg.h"

#include "ui_fixture.h"

namespace gradova::ui {
namespace {

class ImportDlgTest : public UiTest {};

// What the import dialog shows, then the main list after it, its buttons 保存当前 and 清空当前,
// the boxes and the name the next save proposes. Memory that runs out on the way from the file
// to the list fails the command, not the program.
TEST_F(ImportDlgTest, PreviewsEveryRowAndFillsTheListAsALoad) {
  Write("t.csv",
        "\xEF\xBB\xBF课程,学分,成绩,学年,学期\r\n高数,5,优,2023,1\r\n体育,1,通过,2023\r\n高数,5,92,"
        "2024,2\r\n\"A, B\",4,良好\r\nC,2,X,\r\n");
  // clang-format off
  const std::pair<std::function<void(CImportDlg&)>, std::string> rows[] = {
      {[](CImportDlg& d) { Click(d, kImportOkButton); }, "高数,5,95,2023-1,/体育,1,通过,2023,/A, B,4,85,,/,,,,/|++|?/|t.txt"},
      {[](CImportDlg& d) { d.ItemAs<QComboBox>(kImportRetakeList)->setCurrentIndex(2); d.ItemAs<QComboBox>(kImportTermList)->setCurrentIndex(5); d.ItemAs<QComboBox>(kImportCategoryList)->setCurrentIndex(4); Type(d, kImportGradeMapEdit, "优=100"); Click(d, kImportOkButton); }, "高数,5,100,1,2023/体育,1,通过,,2023/高数,5,92,2,2024/,,,,/|++|?/|t.txt"},
      {[](CImportDlg& d) { d.ItemAs<QComboBox>(kImportGradeList)->setCurrentIndex(1); d.ItemAs<QComboBox>(kImportTermList)->setCurrentIndex(0); Click(d, kImportOkButton); }, "高数,5,5,,/体育,1,1,,/A, B,4,4,,/C,2,2,,/,,,,/|++|?/|t.txt"},
      {[](CImportDlg& d) { Type(d, kImportGradeMapEdit, "优"); Click(d, kImportOkButton); }, "x,1,60,,/,,,,/|++|?/|"},
      {[](CImportDlg& d) { Click(d, kImportCancelButton); }, "x,1,60,,/,,,,/|++|?/|"},
      {[](CImportDlg&) { throw std::bad_alloc(); }, "x,1,60,,/,,,,/|++|?/文件打开失败！/|t.txt"},
  };
  // clang-format on
  std::string preview;
  std::string summaries;  // the second column offered, and the summary after each row's acts
  for (const auto& row : rows) {
    const auto& [act, state] = row;
    m_main.reset();
    m_seams.boxes.clear();
    m_inModal = {[&](platform::Dialog& d) {
      preview = Cells(static_cast<CImportDlg&>(d).List());
      row.first(static_cast<CImportDlg&>(d));
      summaries += d.ItemAs<QComboBox>(kImportTermList)->itemText(6).toStdString() + " " +
                   d.ItemAs<QLabel>(kImportSummaryLabel)->text().toStdString() + "/";
    }};
    m_modals = 0;
    Run("+x,1,60;no;>t.csv;load");
    const std::string shown = Cells(Main().List()) + "|" + On(Main(), kSaveCurrentButton) +
                              On(Main(), kClearCurrentButton) + "|" + Boxes() + "|";
    Run("save");
    const std::string proposed = m_seams.fileDialogs.back().initialPath;
    EXPECT_EQ(shown + std::filesystem::path(proposed).filename().string(), state);
  }
  EXPECT_EQ(preview,
            "2,高数,5,95,2023-1,,,计入，成绩 95/3,体育,1,通过,2023,,,只计入已获学分/4,高数,5,"
            "92,2024-2,,,不计入：重修，以第2行为准/5,A, B,4,85,,,,计入，成绩 "
            "85/6,C,2,X,,,,略过：无法识别的成绩/");
  const std::string joined = "第4列 学年 + 第5列 学期 ";
  EXPECT_EQ(summaries, joined + "计入2门课程，不计入2行，略过1行/" + joined +
                           "计入2门课程，不计入1行，略过2行/" + joined +
                           "计入4门课程，不计入1行，略过0行/" + joined +
                           "成绩换算有误：应写作“优=95,良=85”，分数为0到100/" + joined +
                           "计入2门课程，不计入2行，略过1行/");
  EXPECT_EQ(Utf8(m_seams.fileDialogs.at(0).filterGbk),
            "成绩记录文件(*.txt);;成绩单(*.csv *.tsv *.xlsx *.xls)");
}

// A transcript of four years as an academic system exports it keeps every term and category on
// its way to the list, from .xlsx, .xls and GBK and UTF-8 CSV alike, and a course table (.csv) of
// it reads back as the same list without the dialog. A course file (.txt) is written only after the
// question, and holds the GPA courses alone.
TEST_F(ImportDlgTest, TermsAndCategoriesGoThroughACourseTable) {
  std::string first;
  for (const std::string name : {"transcript_terms.xlsx", "transcript_terms.xls",
                                 "transcript_terms_gbk.csv", "transcript_terms_utf8.csv"}) {
    Write(name, Data(name));
    m_inModal = {[](platform::Dialog& d) { Click(d, kImportOkButton); }};
    m_modals = 0;
    Run(">" + name + ";load");
    first = first.empty() ? Cells(Main().List()) : first;
    EXPECT_EQ(Cells(Main().List()), first) << name;
    Run(">out.csv;save;>out.csv;load");
    EXPECT_EQ(Cells(Main().List()) + std::to_string(m_modals), first + "1") << name;
  }
  int complete = 0;
  for (int row = 0; row < Main().List().GetItemCount(); ++row)
    complete +=
        !Main().List().GetItemText(row, 3).empty() && !Main().List().GetItemText(row, 4).empty();
  EXPECT_EQ(complete, 41);
  EXPECT_EQ(Main().List().GetItemText(1, 5), "3.5");  // the transcript's points, saved and read
  for (const std::string row : {"程序设计基础,2.5,通过,2021-2022-1,实践环节/",
                                "Linear Algebra, Honours,3,71,2021-2022-2,通识教育选修/"})
    EXPECT_NE(first.find(row), std::string::npos) << row;
  Run(">out.txt;save;yes;>out.txt;save");
  EXPECT_EQ(Boxes(), "?/?/");
  const std::string txt = Read("out.txt").value_or("");
  EXPECT_EQ(std::count(txt.begin(), txt.end(), '\n'), 38);
}

}  // namespace
}  // namespace gradova::ui
