#include "platform/xlsx_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <mutex>
#include <new>
#include <system_error>
#include <utility>

namespace gradova::platform {
namespace {

using ReadSheet = decltype(&gradova_read_xlsx_first_sheet_v2);

// Where the module is, relative to the running program's folder.
std::string ModuleFromProgram() {
  return std::string(GRADOVA_MODULE_FROM_BIN "/") + kXlsxModuleFile;
}

struct Module {
  std::mutex mutex;
  std::string fileName = ModuleFromProgram();
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
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return nullptr;
  const std::string path = (program.parent_path() / module.fileName).string();
  // RTLD_LOCAL: the module's own copies of library code never stand in for the program's.
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return nullptr;
  module.read = reinterpret_cast<ReadSheet>(dlsym(handle, "gradova_read_xlsx_first_sheet_v2"));
  if (!module.read) dlclose(handle);
  return module.read;
}

}  // namespace

XlsxSheet ReadXlsxFirstSheetThroughModule(std::string_view bytes) {
  const ReadSheet read = LoadedEntry();
  if (!read) return TranscriptFileError::NoXlsxModule;
  XlsxSheet sheet;
  if (!read(bytes.data(), bytes.size(), &sheet)) throw std::bad_alloc();
  return sheet;
}

void SetXlsxModuleForTesting(std::string fileName) {
  Module& module = TheModule();
  const std::lock_guard<std::mutex> lock(module.mutex);
  module.fileName = fileName.empty() ? ModuleFromProgram() : std::move(fileName);
  module.read = nullptr;
}

}  // namespace gradova::platform
