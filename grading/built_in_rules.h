#pragma once
// The eight grading rules that a new `rules` file holds.
#include <string>

#include "grading/rule_set.h"
#include "grading/rules_file.h"

namespace gradova::grading {

// The built-in rules, in file order, each ending with the band 0 -> 0.0.
RuleSet MakeBuiltInRules();

// Appends the 238 bytes of the built-in rules' records to `file`.
void WriteBuiltInRules(std::string& file);

enum class EnsureRulesStatus {
  Existed,       // something is at `path`; it was not touched, whatever it holds (even when it
                 // cannot be read: a user's rules are never overwritten by the built-in ones)
  Created,       // `path` was missing and now holds the built-in rules
  CannotCreate,  // `path` was missing and could not be written; nothing is left behind
};

// Makes sure that a rules file exists at `path`, writing the built-in rules when it does not.
EnsureRulesStatus EnsureRulesFile(const std::string& path = kRulesFileName);

}  // namespace gradova::grading
