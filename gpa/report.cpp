#include "gpa/report.h"

#include "gpa/gpa_texts.h"

namespace gradova::gpa {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void AppendEscaped(std::string& page, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&':
        page.append("&amp;");
        break;
      case '<':
        page.append("&lt;");
        break;
      case '>':
        page.append("&gt;");
        break;
      case '"':
        page.append("&quot;");
        break;
      // A line break inside a text would end a line of the page without CR LF, or with a CR
      // of its own; as references they read as the same white space.
      case '\r':
        page.append("&#13;");
        break;
      case '\n':
        page.append("&#10;");
        break;
      default:
        page.push_back(c);
    }
  }
}

void AppendCell(std::string& page, std::string_view text) {
  page.append("<td>");
  AppendEscaped(page, text);
  page.append("</td>").append(kLineEnd);
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
  std::string escaped;
  AppendEscaped(escaped, text);
  return escaped;
}

std::string MakeRuleHeaderCell(std::string_view ruleName) {
  std::string cell;
  AppendCell(cell, ruleName);
  return cell;
}

std::string MakeRuleHeaderCells(const grading::RuleSet& ruleSet) {
  std::string cells;
  for (const grading::Rule& rule : ruleSet.rules) cells += MakeRuleHeaderCell(rule.name);
  return cells;
}

std::string FormatReport(const ResultTable& table, std::string_view ruleHeaderCells) {
  std::string page;
  // Course rows average well under 20 bytes of text per cell.
  page.reserve(1024 + table.RowCount() * (table.ColumnCount() * 16 + 16));
  page.append("<html>\r\n<head>\r\n")
      .append("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">\r\n")
      .append("<title>GPA report</title>\r\n</head>\r\n<body>\r\n")
      .append(
          "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" id=\"table1\">\r\n"
          "<tr>\r\n");
  AppendCell(page, kCourseNameTitle);
  AppendCell(page, kCreditsTitle);
  AppendCell(page, kScoreTitle);
  page.append(ruleHeaderCells).append("</tr>\r\n");

  const std::size_t emptyRow = table.courses.size();
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    page.append("<tr>\r\n");
    for (std::size_t column = 0; column < table.ColumnCount(); ++column) {
      AppendCell(page, row == emptyRow ? std::string_view("-") : table.Cell(row, column));
    }
    page.append("</tr>\r\n");
  }
  page.append("</table>\r\n<p><a href=\"")
      .append(kHomePageUrl)
      .append("\">")
      .append(kHomePageUrl)
      .append("</a></p>\r\n")
      .append(kReportComment)
      .append("\r\n</body>\r\n</html>");
  return page;
}

platform::ReplaceStatus WriteReportFile(const std::string& path, std::string_view page) {
  return platform::ReplaceFile(path, page);
}

}  // namespace gradova::gpa
