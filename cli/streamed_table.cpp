#include "cli/streamed_table.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "cli/output_buffer.h"
#include "cli/tsv_cells.h"
#include "courses/course_file.h"

namespace gradova::cli {
namespace {

// Calls `onCourse` with the fields of every line; the lines were checked before.
template <typename OnCourse>
void ForEachCheckedCourse(std::string_view courseText, OnCourse onCourse) {
  courses::ForEachTextLine(courseText, [&onCourse](std::string_view line) {
    onCourse(*courses::SplitCourseFields(line));
    return true;
  });
}

// The rows after the courses: an empty one, the totals, the count.
template <typename OnRow>
void ForEachClosingRow(std::size_t columns, const gpa::CourseTotals& totals, OnRow onRow) {
  const std::vector<std::string> totalsRow = totals.TotalsRow();
  const std::string countText = totals.CountText();
  std::vector<std::string_view> cells(columns);
  onRow(cells);
  std::copy(totalsRow.begin(), totalsRow.end(), cells.begin());
  onRow(cells);
  std::fill(cells.begin(), cells.end(), std::string_view());
  cells[0] = countText;
  onRow(cells);
}

// The grade point cells of a course, each led by a TAB, in rule order. The slots of a score from
// 0 up to 255 depend only on its integer part, so those texts are made once per integer; any
// other score has its texts made when it comes.
class PointCells {
 public:
  explicit PointCells(const gpa::CourseTotals& totals) : m_totals(totals) {
    for (std::size_t integer = 0; integer < m_ofInteger.size(); ++integer) {
      m_ofInteger[integer] = Make(static_cast<float>(integer));
    }
  }

  std::string_view Of(float score) {
    if (score >= 0.0f && score < static_cast<float>(m_ofInteger.size())) {
      return m_ofInteger[static_cast<std::size_t>(score)];
    }
    m_other = Make(score);
    return m_other;
  }

 private:
  std::string Make(float score) const {
    std::string cells;
    for (std::size_t rule = 0; rule < m_totals.RuleCount(); ++rule) {
      cells.append("\t").append(m_totals.PointTexts(rule)[m_totals.SlotOf(rule, score)]);
    }
    return cells;
  }

  const gpa::CourseTotals& m_totals;
  std::array<std::string, 256> m_ofInteger;
  std::string m_other;
};

}  // namespace

RowSource StreamedRows(const std::vector<std::string>& gbkTitles, std::string_view courseText,
                       const gpa::CourseTotals& totals) {
  return [&gbkTitles, courseText, &totals](const RowVisitor& visit) {
    std::vector<std::string_view> cells(gbkTitles.begin(), gbkTitles.end());
    visit(cells);
    ForEachCheckedCourse(courseText, [&](const courses::CourseFields& fields) {
      cells[0] = fields.name;
      cells[1] = fields.credits;
      cells[2] = fields.score;
      const float score = gpa::ScoreValue(fields.score);
      for (std::size_t rule = 0; rule < totals.RuleCount(); ++rule) {
        cells[3 + rule] = totals.PointTexts(rule)[totals.SlotOf(rule, score)];
      }
      visit(cells);
    });
    ForEachClosingRow(cells.size(), totals, visit);
  };
}

bool WriteStreamedTsv(std::FILE* out, const std::vector<std::string>& gbkTitles,
                      std::string_view courseText, const gpa::CourseTotals& totals) {
  OutputBuffer buffer(out);
  WriteTsvRow(buffer, std::vector<std::string_view>(gbkTitles.begin(), gbkTitles.end()));
  PointCells pointCells(totals);
  ForEachCheckedCourse(courseText, [&](const courses::CourseFields& fields) {
    const std::string_view points = pointCells.Of(gpa::ScoreValue(fields.score));
    char* row = buffer.Reserve(
        TsvCellBound(fields.name.size() + fields.credits.size() + fields.score.size()) +
        points.size() + 3);
    row = WriteTsvCell(fields.name, row);
    *row++ = '\t';
    row = WriteTsvCell(fields.credits, row);
    *row++ = '\t';
    row = WriteTsvCell(fields.score, row);
    std::memcpy(row, points.data(), points.size());
    row += points.size();
    *row++ = '\n';
    buffer.Commit(row);
  });
  ForEachClosingRow(
      gbkTitles.size(), totals,
      [&buffer](const std::vector<std::string_view>& cells) { WriteTsvRow(buffer, cells); });
  return buffer.Finish();
}

}  // namespace gradova::cli
