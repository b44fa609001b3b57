#include "platform/xlsx_module.h"

#include <dlfcn.h>

#include <mutex>
#include <utility>

namespace gradova::platform {
namespace {

using ReadSheet = decltype(&gradova_read_xlsx_first_sheet_v1);

struct Module {
  std::mutex mutex;
  std::string fileName = kXlsxModuleFile;
  ReadSheet read = nullptr;
};

Module& TheModule() {
  static Module module;
  return module;
}

ReadSheet LoadedEntry() {
  Module& module = TheModule();
  const std::lock_guard<std::mutex> lock(module.mutex);
  if (module.read) return module.read;
  // RTLD_LOCAL: the module's own copies of library code never stand in for the program's.
  void* handle = dlopen(module.fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return nullptr;
  module.read = reinterpret_cast<ReadSheet>(dlsym(handle, "gradova_read_xlsx_first_sheet_v1"));
  if (!module.read) dlclose(handle);
  return module.read;
}

}  // namespace

XlsxSheet ReadXlsxFirstSheetThroughModule(std::string_view bytes) {
  const ReadSheet read = LoadedEntry();
  if (!read) return TranscriptFileError::NoXlsxModule;
  XlsxSheet sheet;
  read(bytes.data(), bytes.size(), &sheet);
  return sheet;
}

void SetXlsxModuleForTesting(std::string fileName) {
  Module& module = TheModule();
  const std::lock_guard<std::mutex> lock(module.mutex);
  module.fileName = std::move(fileName);
  module.read = nullptr;
}

}  // namespace gradova::platform
