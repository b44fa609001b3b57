#pragma once
// The .xlsx reader (xlsx_reader.h) lives in a module of its own, gradova-xlsx.so, so that the
// programs start without mapping libzip, expat and what libzip pulls in (libcrypto among them):
// they load it the first time they read an .xlsx. It is loaded from the package's private library
// folder, found from the folder of the running program (/proc/self/exe), so that no library
// search path is set on the programs: one would be searched for every library they link.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/xlsx_reader.h"

namespace gradova::platform {

inline constexpr char kXlsxModuleFile[] = "gradova-xlsx.so";

// ReadXlsxFirstSheet(bytes) in the module, which is loaded on the first call and then kept.
// NoXlsxModule when it cannot be loaded or lacks its entry point; nothing is kept then, so the next
// call tries again. Throws std::bad_alloc when the module ran out of memory. Safe to call from
// several threads.
XlsxSheet ReadXlsxFirstSheetThroughModule(std::string_view bytes);

// Loads the module from `fileName` (relative to the running program's folder) on the next read
// instead; an empty name goes back to the module's own place.
void SetXlsxModuleForTesting(std::string fileName);

}  // namespace gradova::platform

// The module's one export. It is built with the programs from the same sources and compiler, so
// C++ values may cross; exceptions may not, since gradova-cli carries its own C++ runtime and the
// module uses the shared one. False when the reading ran out of memory; `sheet` is then as it was.
// The version in the name changes whenever this contract does.
extern "C" [[gnu::visibility("default")]] bool gradova_read_xlsx_first_sheet_v2(
    const char* data, std::size_t size, gradova::platform::XlsxSheet* sheet);
