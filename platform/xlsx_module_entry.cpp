// The one source of the module gradova-xlsx.so besides the reader itself.
#include "platform/xlsx_module.h"

extern "C" void gradova_read_xlsx_first_sheet_v1(const char* data, std::size_t size,
                                                 gradova::platform::XlsxSheet* sheet) {
  *sheet = gradova::platform::ReadXlsxFirstSheet(std::string_view(data, size));
}
