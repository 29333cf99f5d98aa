#include "platform/plugin_library.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace zeph {

TPluginLibrary::TPluginLibrary(const std::filesystem::path& path) {
  if (!path.is_absolute()) return;
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

TPluginLibrary::~TPluginLibrary() {
  if (handle_) dlclose(handle_);
}

void* TPluginLibrary::Find(const std::string& name) const {
  if (!handle_ || name.empty()) return nullptr;
  if (void* function = dlsym(handle_, name.c_str())) return function;
  return dlsym(handle_, ("_" + name).c_str());
}

TWorkingFolder::TWorkingFolder(const std::filesystem::path& folder) {
  previous_ = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (previous_ >= 0 && chdir(folder.c_str()) != 0) {
    close(previous_);
    previous_ = -1;
  }
}

TWorkingFolder::~TWorkingFolder() {
  if (previous_ < 0) return;
  if (fchdir(previous_) != 0) {
    // Nowhere better to go: the folder we came from is gone.
  }
  close(previous_);
}

}  // namespace zeph
