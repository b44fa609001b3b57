#include "gpa/report.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "gpa/gpa_texts.h"

namespace gradova::gpa {
namespace {

constexpr std::size_t kFlushBytes = 1 << 20;

// A line break inside a text would end a line of the page without CR LF, or with a CR of its own;
// as references they read as the same white space.
constexpr std::pair<char, std::string_view> kEntities[] = {{'&', "&amp;"},  {'<', "&lt;"},
                                                           {'>', "&gt;"},   {'"', "&quot;"},
                                                           {'\r', "&#13;"}, {'\n', "&#10;"}};

void AppendEscaped(std::string& page, std::string_view text) {
  for (const char c : text) {
    const auto* entity = std::find_if(std::begin(kEntities), std::end(kEntities),
                                      [c](const auto& entry) { return entry.first == c; });
    if (entity == std::end(kEntities)) {
      page.push_back(c);
    } else {
      page.append(entity->second);
    }
  }
}

void AppendCell(std::string& page, std::string_view text) {
  page.append("<td>");
  AppendEscaped(page, text);
  page.append("</td>\r\n");
}

void StartTable(std::string& page, const std::string& id, const std::vector<std::string>& titles) {
  page.append("<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" id=\"")
      .append(id)
      .append("\">\r\n<tr>\r\n");
  for (const std::string& title : titles) AppendCell(page, title);
  page.append("</tr>\r\n");
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
  std::string escaped;
  AppendEscaped(escaped, text);
  return escaped;
}

ReportWriter::ReportWriter(const std::vector<std::string>& titles, WriteBytes write,
                           std::string_view note)
    : m_write(std::move(write)) {
  m_pending.append(
      "<html>\r\n<head>\r\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">\r\n"
      "<title>GPA report</title>\r\n</head>\r\n<body>\r\n");
  if (!note.empty()) {
    m_pending.append("<p>");
    AppendEscaped(m_pending, note);
    m_pending.append("</p>\r\n");
  }
  StartTable(m_pending, "table1", titles);
}

void ReportWriter::NextTable(const std::vector<std::string>& titles) {
  m_pending.append("</table>\r\n");
  StartTable(m_pending, "table" + std::to_string(++m_tables), titles);
}

void ReportWriter::Row(const std::vector<std::string_view>& cells) {
  const bool separator =
      std::all_of(cells.begin(), cells.end(), [](std::string_view cell) { return cell.empty(); });
  m_pending.append("<tr>\r\n");
  for (const std::string_view cell : cells) AppendCell(m_pending, separator ? "-" : cell);
  m_pending.append("</tr>\r\n");
  if (m_pending.size() >= kFlushBytes) Flush();
}

bool ReportWriter::Finish() {
  m_pending.append("</table>\r\n<p><a href=\"")
      .append(kHomePageUrl)
      .append("\">")
      .append(kHomePageUrl)
      .append("</a></p>\r\n")
      .append(kReportComment)
      .append("\r\n</body>\r\n</html>");
  Flush();
  return m_ok;
}

void ReportWriter::Flush() {
  if (m_ok) m_ok = m_write(m_pending);
  m_pending.clear();
}

bool WriteReport(const ResultTable& table, const std::vector<std::string>& titles, WriteBytes write,
                 std::string_view note, const ReportTerms* terms) {
  ReportWriter report(titles, std::move(write), note);
  std::vector<std::string_view> cells;
  for (std::size_t row = 0; row < table.RowCount(); ++row) {
    table.Row(row, cells);
    report.Row(cells);
  }
  if (terms) {
    report.NextTable(terms->titles);
    for (const std::vector<std::string>& row : terms->rows) {
      cells.assign(row.begin(), row.end());
      report.Row(cells);
    }
  }
  return report.Finish();
}

}  // namespace gradova::gpa
