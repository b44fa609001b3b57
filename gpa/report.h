#pragma once
// "GPA report.html": the result table as a one-table HTML page in GBK, every line ended by
// CR LF but the last, "</html>".
#include <string>
#include <string_view>

#include "gpa/result_table.h"
#include "grading/rule_set.h"
#include "platform/files.h"

namespace gradova::gpa {

inline constexpr char kReportFileName[] = "GPA report.html";
inline constexpr char kHomePageHost[] = "gradova.example.org";
inline constexpr char kHomePageUrl[] = "https://gradova.example.org/";

// `text` with &, <, > and " replaced by their HTML entities, and CR and LF by character references,
// so that no text adds markup or ends a line of the page. GBK trail bytes never fall on these
// ASCII characters, so escaping byte by byte is safe.
std::string EscapeHtml(std::string_view text);

// The header cell of one rule column: "<td>", the escaped name, "</td>" and a line end. The
// results window appends one per rule, in file order.
std::string MakeRuleHeaderCell(std::string_view ruleName);

// The header cells of every rule of `ruleSet`, in order.
std::string MakeRuleHeaderCells(const grading::RuleSet& ruleSet);

// The bytes of the page for `table`, with `ruleHeaderCells` after the three fixed titles.
std::string FormatReport(const ResultTable& table, std::string_view ruleHeaderCells);

// Replaces the report at `path` atomically; on failure an old report stays as it was.
platform::ReplaceStatus WriteReportFile(const std::string& path, std::string_view page);

}  // namespace gradova::gpa
