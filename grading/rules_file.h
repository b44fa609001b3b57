#pragma once
// The binary `rules` file: rule records one after another, nothing before or after them.
//
//   record = name bytes (0..20, each stored as byte - 11 mod 256), 0x65,
//            band pairs (lower bound, points in tenths; low 8 bits each), 0x66
//
// 0x65 ends a name; 0x66 ends a record where a band would begin, and ends the file where a record
// would begin. A points byte is never a marker.
#include <string>
#include <string_view>

#include "grading/rule_set.h"

namespace gradova::grading {

inline constexpr char kRulesFileName[] = "rules";

enum class RulesFileStatus {
  Loaded,   // read to its end, or to a 0x66 where a record would begin
  Missing,  // the file could not be opened or read (told by its reader); the set is empty
  Damaged,  // see ParseRulesFile; the set holds every record read, within the limits
};

struct RulesFileContents {
  RulesFileStatus status = RulesFileStatus::Loaded;
  RuleSet ruleSet;
};

// Reads the records of a `rules` file's bytes. An empty file, or one starting with 0x66, is an
// empty set. The status is Damaged when a record exceeds what the program can hold: a name of
// more than 20 bytes or more than 32 bands keep their first 20 bytes or 32 bands and reading goes
// on; a record after the 32nd ends the reading. It is Damaged too when the bytes end inside a
// record, which is then dropped. Nothing beyond those limits is ever stored. A decoded name ends
// at its first zero byte, as a C string would.
RulesFileContents ParseRulesFile(std::string_view bytes);

// The bytes of a `rules` file holding `ruleSet`, in order.
std::string FormatRulesFile(const RuleSet& ruleSet);

}  // namespace gradova::grading
