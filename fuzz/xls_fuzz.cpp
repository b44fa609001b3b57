// The .xls reader on any bytes: FreeXL reads only what CheckXls passed, and what comes out is
// within the limits. A hostile file that made FreeXL allocate a grid or a string table from its
// counts would take the run past its memory limit.
#include <string_view>
#include <variant>

#include "check.h"
#include "platform/xls_reader.h"

using namespace gradova;

// FreeXL 1.0.6 loses a few small allocations of its own on some damaged files that pass the check
// and read as damaged rows; the reader cannot free them. Leaks from this program's code are still
// reported.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfreexl.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const courses::TranscriptLimits limits;
  const platform::FirstSheet sheet =
      platform::ReadXlsBytes(std::string_view(reinterpret_cast<const char*>(data), size), limits);
  if (const auto* read = std::get_if<courses::ReadRecords>(&sheet)) {
    GRADOVA_FUZZ_CHECK(read->error || read->records.size() <= limits.rows, "rows past the limit");
    for (const auto& record : read->records) {
      GRADOVA_FUZZ_CHECK(record.size() <= limits.columns, "columns past the limit");
    }
  }
  return 0;
}
