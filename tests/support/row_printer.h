#pragma once
// Table rows name themselves by their `label`; without this, GoogleTest prints a parameter as its
// raw bytes. Expand once inside each test file's namespace, where argument lookup finds it.
#include <ostream>

#define GRADOVA_PRINT_ROWS_BY_LABEL()                                          \
  template <typename Row>                                                      \
  auto operator<<(std::ostream& os, const Row& row)->decltype(row.label, os) { \
    return os << row.label;                                                    \
  }
