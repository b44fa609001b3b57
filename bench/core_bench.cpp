// Throughput of the steps whose cost grows with the course count: reading course lines,
// evaluating them under the built-in rules and writing the report page. The three sizes show
// whether each step stays linear: 1,000,000 courses should take at most about 10x as long as
// 100,000.
#include <benchmark/benchmark.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "bench/course_data.h"
#include "courses/course_file.h"
#include "courses/course_line.h"
#include "courses/course_record.h"
#include "gpa/evaluation.h"
#include "gpa/report.h"
#include "gpa/result_table.h"
#include "grading/built_in_rules.h"

namespace {

using gradova::courses::CourseRecord;

// Inputs are cached per size: the library calls each benchmark several times while it settles
// the iteration count, and regenerating a million lines each time would dominate the run.
struct CourseData {
  std::string text;
  std::vector<std::string_view> lines;
  std::vector<CourseRecord> records;
};

const CourseData& DataFor(std::size_t count) {
  static std::map<std::size_t, CourseData> cache;
  auto [it, inserted] = cache.try_emplace(count);
  CourseData& data = it->second;
  if (!inserted) return data;
  data.text = gradova::bench::MakeCourseFileText(count);
  data.lines.reserve(count);
  data.records.reserve(count);
  gradova::courses::ForEachTextLine(data.text, [&data](std::string_view line) {
    data.lines.push_back(line);
    // std::get throws on a bad line, which would mean the generator is wrong, not the parser.
    data.records.push_back(std::get<CourseRecord>(gradova::courses::ParseCourseLine(line)));
    return true;
  });
  return data;
}

std::size_t CountOf(const benchmark::State& state) {
  return static_cast<std::size_t>(state.range(0));
}

void SetThroughput(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BenchParseCourseLine(benchmark::State& state) {
  const CourseData& data = DataFor(CountOf(state));
  for (auto _ : state) {
    for (const std::string_view line : data.lines) {
      auto result = gradova::courses::ParseCourseLine(line);
      benchmark::DoNotOptimize(result);
    }
  }
  SetThroughput(state);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(data.text.size()));
}

// EvaluateCourses takes its course list by value. The copy it needs is made with the timer
// paused, and the previous result is freed there too, so only the evaluation itself (moving the
// list in and building the table) is timed. The pause itself still adds about 2 us to each
// timed iteration here: some 2% at 1,000 courses, negligible at the larger sizes.
void BenchEvaluateCourses(benchmark::State& state) {
  const CourseData& data = DataFor(CountOf(state));
  const gradova::grading::RuleSet rules = gradova::grading::MakeBuiltInRules();
  // One untimed run first: it faults in the memory that the timed runs then reuse.
  gradova::gpa::ResultTable table = gradova::gpa::EvaluateCourses(data.records, rules);
  for (auto _ : state) {
    state.PauseTiming();
    table = gradova::gpa::ResultTable();
    std::vector<CourseRecord> input = data.records;
    state.ResumeTiming();
    table = gradova::gpa::EvaluateCourses(std::move(input), rules);
    benchmark::DoNotOptimize(table);
  }
  SetThroughput(state);
}

void BenchFormatReport(benchmark::State& state) {
  const CourseData& data = DataFor(CountOf(state));
  const gradova::grading::RuleSet rules = gradova::grading::MakeBuiltInRules();
  const std::string headerCells = gradova::gpa::MakeRuleHeaderCells(rules);
  const gradova::gpa::ResultTable table = gradova::gpa::EvaluateCourses(data.records, rules);
  // One untimed page first, as above: at the largest size the library settles on a single
  // iteration, which would otherwise be the one that faults the page's memory in.
  benchmark::DoNotOptimize(gradova::gpa::FormatReport(table, headerCells).data());
  for (auto _ : state) {
    std::string page = gradova::gpa::FormatReport(table, headerCells);
    benchmark::DoNotOptimize(page.data());
  }
  SetThroughput(state);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BenchParseCourseLine)->Apply(Sizes);
BENCHMARK(BenchEvaluateCourses)->Apply(Sizes);
BENCHMARK(BenchFormatReport)->Apply(Sizes);

// glibc serves blocks above 32 MiB straight from mmap and unmaps them on free, so only the
// largest report page (about 190 MB at 1,000,000 courses) lands in fresh pages each iteration,
// while the smaller sizes reuse warm heap memory. First touches are costly in a VM (about 3 ms
// per MB here), which made that one size look several times superlinear. Keeping every block
// in the heap gives all sizes the same warm start, so the ratios show the code's own growth.
void KeepFreedMemoryInHeap() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
#endif
}

}  // namespace

int main(int argc, char** argv) {
  KeepFreedMemoryInHeap();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
