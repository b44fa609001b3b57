// The report page over fuzzed rules and courses (see rules_and_courses.h): every line ends in
// CR LF but the last, "</html>"; nothing a user wrote adds markup, so the page has as many '<',
// '>' and '"' as the same page with every text empty, and each '&' starts an entity.
#include <algorithm>
#include <string>

#include "check.h"
#include "gpa/evaluation.h"
#include "gpa/report.h"
#include "rules_and_courses.h"

namespace {

using gradova::gpa::ResultTable;

// The same table with every text empty: what the page is without anything from the user.
ResultTable Emptied(const ResultTable& table) {
  ResultTable empty = table;
  for (auto& course : empty.courses) course = {};
  for (auto& column : empty.ruleColumns) {
    for (auto& text : column.pointTexts) text.clear();
  }
  for (auto& text : empty.totalsRow) text.clear();
  empty.countText.clear();
  return empty;
}

std::size_t Count(std::string_view text, char c) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

bool EachAmpersandStartsAnEntity(std::string_view page) {
  static constexpr std::string_view kEntities[] = {"&amp;",  "&lt;",  "&gt;",
                                                   "&quot;", "&#13;", "&#10;"};
  for (std::size_t at = page.find('&'); at != std::string_view::npos; at = page.find('&', at + 1)) {
    const std::string_view rest = page.substr(at);
    if (std::none_of(std::begin(kEntities), std::end(kEntities), [&](std::string_view entity) {
          return rest.substr(0, entity.size()) == entity;
        })) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const gradova::fuzz::ExactBytes input(data, size);
  const gradova::fuzz::RulesAndCourses read = gradova::fuzz::ReadRulesAndCourses(input.View());
  const ResultTable table = gradova::gpa::EvaluateCourses(read.courses, read.ruleSet);
  const std::string page =
      gradova::gpa::FormatReport(table, gradova::gpa::MakeRuleHeaderCells(read.ruleSet));

  const std::string_view lastLine = "</html>";
  GRADOVA_FUZZ_CHECK(page.size() >= lastLine.size() &&
                         std::string_view(page).substr(page.size() - lastLine.size()) == lastLine,
                     "the page does not end with </html>");
  std::size_t lines = 0;
  for (std::size_t i = 0; i < page.size(); ++i) {
    if (page[i] == '\n') {
      GRADOVA_FUZZ_CHECK(i > 0 && page[i - 1] == '\r', "a line of the page ends without CR LF");
      ++lines;
    } else if (page[i] == '\r') {
      GRADOVA_FUZZ_CHECK(i + 1 < page.size() && page[i + 1] == '\n',
                         "a CR in the page does not end a line");
    }
  }
  GRADOVA_FUZZ_CHECK(page.rfind('\n') == page.size() - lastLine.size() - 1,
                     "the last line is not </html> alone");

  gradova::grading::RuleSet unnamed = read.ruleSet;
  for (auto& rule : unnamed.rules) rule.name.clear();
  const std::string bare =
      gradova::gpa::FormatReport(Emptied(table), gradova::gpa::MakeRuleHeaderCells(unnamed));
  GRADOVA_FUZZ_CHECK(Count(page, '\n') == Count(bare, '\n'), "a user's text adds a line");
  for (const char markup : {'<', '>', '"'}) {
    GRADOVA_FUZZ_CHECK(Count(page, markup) == Count(bare, markup), "a user's text adds markup");
  }
  GRADOVA_FUZZ_CHECK(Count(bare, '&') == 0 && EachAmpersandStartsAnEntity(page),
                     "an '&' of a user's text is not escaped");
  GRADOVA_FUZZ_CHECK(lines > 0, "the page has no line");
  return 0;
}
