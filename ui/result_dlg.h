#pragma once
// The results window: the grade points of every course under every rule, the totals and the
// GPA per rule, computed once when it opens; it writes them as the report page.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gpa/course_snapshot.h"
#include "gpa/result_table.h"
#include "gpa/subset.h"
#include "grading/rule_set.h"
#include "platform/files.h"
#include "platform/qt/dialog.h"
#include "platform/qt/list_control.h"

namespace gradova::ui {

class CResultDlg : public platform::Dialog {
 public:
  CResultDlg(int courseCount, gpa::CourseSnapshot snapshot, QWidget* owner = nullptr);

  platform::ListControl& List() { return m_list; }
  platform::ListControl& TermList() { return m_termList; }

 protected:
  void DoDataExchange(platform::DataExchange& dx) override;
  // Reads `rules` and fills the table; ends at once with 0 when `rules` is missing.
  bool OnInitDialog() override;
  // "确定" and Enter end the window with 0.
  void OnOK() override;

 private:
  // Opens the rule manager; after it has saved, the table shown is stale, so the window closes
  // and the user opens it again under the new rules.
  void OnCustomRules();
  // Writes "GPA report.html" in the current directory as ReplaceAndTell does: the course table,
  // and for a record with terms the per-term rows as shown after it.
  void WriteReport();
  // Whether any course of the whole list has a term.
  bool HasTerms() const;
  // Replaces the file at `path` with what `produce` writes, under the wait cursor, then shows
  // `writtenGbk`, or "文件创建失败！" when the file could not be replaced (it is then as it was).
  void ReplaceAndTell(const std::string& path, std::string_view writtenGbk,
                      const std::function<bool(const platform::ByteSink& write)>& produce);
  // Asks where to save, proposing `fileName` in the current directory, and replaces the chosen
  // file with what `produce` writes for its path as ReplaceAndTell does, telling the file's name;
  // nothing when the user cancels.
  void SaveAs(
      std::string_view fileName, std::string_view filter,
      const std::function<bool(const std::string& path, const platform::ByteSink& write)>& produce);
  // The subset the view and range controls choose; every result follows it.
  gpa::Subset ChosenSubset();
  // Evaluates the chosen subset anew: the course table, the per-term rows and the earned credits.
  void OnChoiceChange();
  // Puts the rule named `nameGbk` first among the rules, its columns' titles following and its
  // column in bold; with no rule of that name, the rules stay in the file's order.
  void ApplyMyRule(const std::string& nameGbk);
  // Marks the rule chosen in 我的算法 as the user's, remembers it for the next run and shows the
  // table again with it first.
  void OnMyRuleChange();
  // Opens the target planner over this table's sums, the user's rule selected there.
  void OnTargetPlan();
  // Draws the trend chart of the chosen subset under the rule chosen beside it.
  void ShowChart();
  // Saves the chart (SaveAs, proposing "GPA chart.png") as a PNG image, or as an SVG drawing when
  // the name ends in ".svg".
  void OnExportChart();
  // Asks what the PDF is to hold (CPdfExportDlg), then saves the chosen subset's summary (SaveAs,
  // proposing "GPA report.pdf").
  void OnExportPdf();

  platform::ListControl m_list;
  platform::ListControl m_termList;
  gpa::ResultTable m_table;      // what the list shows and the report writes
  grading::RuleSet m_fileRules;  // in the order of `rules`
  grading::RuleSet m_rules;      // as shown: the user's rule first, when one is marked
  bool m_myRuleFirst = false;
  std::vector<std::string> m_terms;       // of the whole list, in time order
  std::vector<std::string> m_categories;  // of the whole list, in order of first appearance
  gpa::Subset m_subset;                   // what m_table counts
  std::vector<std::vector<std::string>> m_termRows;        // as the per-term view shows them
  std::vector<std::vector<std::string>> m_cumulativeRows;  // per term, of m_subset
  std::optional<double> m_target;                          // the target last planned in this window
  std::vector<std::string> m_titles;
  bool m_transcriptPoints = false;  // the list came with a transcript's own grade points
  int m_courseCount;
  gpa::CourseSnapshot m_snapshot;
};

}  // namespace gradova::ui
