#pragma once
// "GPA report.html": the result table as a one-table HTML page in GBK, every line ended by
// CR LF but the last, "</html>". The page is written front to back in pieces, so that a table of
// any size goes to its file without being held whole in memory.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gpa/result_table.h"

namespace gradova::gpa {

inline constexpr char kReportFileName[] = "GPA report.html";
inline constexpr char kHomePageHost[] = "gradova.example.org";
inline constexpr char kHomePageUrl[] = "https://gradova.example.org/";

// Takes the page's bytes in order; false when they could not be written.
using WriteBytes = std::function<bool(std::string_view bytes)>;

// `text` with &, <, > and " replaced by their HTML entities, and CR and LF by character references,
// so that no text adds markup or ends a line of the page. GBK trail bytes never fall on these
// ASCII characters, so escaping byte by byte is safe.
std::string EscapeHtml(std::string_view text);

// Writes the page a row at a time: the head and the title row first, then each row as it comes,
// then the end. The bytes go to `write` about a megabyte at a time.
class ReportWriter {
 public:
  // `note`, when not empty, is a paragraph before the table (what part of the courses it counts).
  ReportWriter(const std::vector<std::string>& titles, WriteBytes write,
               std::string_view note = {});
  // One row of the table. A row whose cells are all empty, the one between the courses and the
  // totals, is written with "-" in every cell.
  void Row(const std::vector<std::string_view>& cells);
  // Ends the table so far and starts another under the titles `titles`, which the rows after it
  // go to.
  void NextTable(const std::vector<std::string>& titles);
  // Writes the end of the page and what is still held; false when any write failed, after which
  // nothing more was written.
  bool Finish();

 private:
  void Flush();

  WriteBytes m_write;
  std::string m_pending;
  int m_tables = 1;
  bool m_ok = true;
};

// The per-term table that follows the courses' for a record with terms: its titles
// (MakeTermTitles) and rows (EvaluateTerms).
struct ReportTerms {
  std::vector<std::string> titles;
  std::vector<std::vector<std::string>> rows;
};

// The page of `table` under the column titles `titles` (MakeColumnTitles), with `note` before it
// and, when given, the table of `terms` after it, written through `write`; false when a write
// failed.
bool WriteReport(const ResultTable& table, const std::vector<std::string>& titles, WriteBytes write,
                 std::string_view note = {}, const ReportTerms* terms = nullptr);

}  // namespace gradova::gpa
