// Throughput of the steps whose cost grows with the course count: checking a course file's text,
// evaluating the courses under the built-in rules and writing the report page. The three sizes
// show whether each step stays linear: 1,000,000 courses should take at most about 10x as long
// as 100,000.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "bench/course_data.h"
#include "courses/course_file.h"
#include "gpa/evaluation.h"
#include "gpa/report.h"
#include "grading/built_in_rules.h"

namespace {

// Inputs are cached per size: the library calls each benchmark several times while it settles
// the iteration count, and regenerating a million lines each time would dominate the run.
struct CourseData {
  std::string text;
  gradova::courses::CourseList courses;
};

const CourseData& DataFor(std::size_t count) {
  static std::map<std::size_t, CourseData> cache;
  auto [it, inserted] = cache.try_emplace(count);
  CourseData& data = it->second;
  if (!inserted) return data;
  data.text = gradova::bench::MakeCourseFileText(count);
  gradova::courses::CourseFileCheck check;
  data.courses = gradova::courses::ReadCourseText(data.text, check);
  return data;
}

std::size_t CountOf(const benchmark::State& state) {
  return static_cast<std::size_t>(state.range(0));
}

void SetThroughput(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The reader as the programs use it, on the whole file's text (the copy is not timed).
void BenchReadCourseFile(benchmark::State& state) {
  const CourseData& data = DataFor(CountOf(state));
  for (auto _ : state) {
    state.PauseTiming();
    std::string text = data.text;
    state.ResumeTiming();
    gradova::courses::CourseFileCheck check;
    benchmark::DoNotOptimize(gradova::courses::ReadCourseText(std::move(text), check));
  }
  SetThroughput(state);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(data.text.size()));
}

void BenchEvaluateCourses(benchmark::State& state) {
  const CourseData& data = DataFor(CountOf(state));
  const gradova::grading::RuleSet rules = gradova::grading::MakeBuiltInRules();
  for (auto _ : state) {
    state.PauseTiming();
    gradova::courses::CourseList input = data.courses;
    state.ResumeTiming();
    benchmark::DoNotOptimize(gradova::gpa::EvaluateCourses(std::move(input), rules));
  }
  SetThroughput(state);
}

// The page goes to a sink that only counts, as it would go to its file.
void BenchWriteReport(benchmark::State& state) {
  const CourseData& data = DataFor(CountOf(state));
  const gradova::grading::RuleSet rules = gradova::grading::MakeBuiltInRules();
  const gradova::gpa::ResultTable table = gradova::gpa::EvaluateCourses(data.courses, rules);
  const std::vector<std::string> titles = gradova::gpa::MakeColumnTitles(rules);
  for (auto _ : state) {
    std::size_t bytes = 0;
    gradova::gpa::WriteReport(table, titles, [&bytes](std::string_view piece) {
      bytes += piece.size();
      return true;
    });
    benchmark::DoNotOptimize(bytes);
  }
  SetThroughput(state);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BenchReadCourseFile)->Apply(Sizes);
BENCHMARK(BenchEvaluateCourses)->Apply(Sizes);
BENCHMARK(BenchWriteReport)->Apply(Sizes);

}  // namespace

BENCHMARK_MAIN();
