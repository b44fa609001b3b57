// The one source of the module gradova-xlsx.so besides the reader itself.
#include "platform/xlsx_module.h"

#include <exception>

extern "C" bool gradova_read_xlsx_first_sheet_v2(const char* data, std::size_t size,
                                                 gradova::platform::XlsxSheet* sheet) {
  // Containers are all that throws in the reader, and only when memory runs out.
  try {
    *sheet = gradova::platform::ReadXlsxFirstSheet(std::string_view(data, size));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}
