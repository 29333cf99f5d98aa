#pragma once

#include <filesystem>
#include <string>

// Plug-in libraries that macros call. A library is opened for one call and
// closed again; it keeps no state between calls.
namespace zeph {

class TPluginLibrary {
 public:
  // Opens the library at an absolute path; a relative one is refused, so
  // the loader never searches its own folders for a name.
  explicit TPluginLibrary(const std::filesystem::path& path);
  ~TPluginLibrary();
  TPluginLibrary(const TPluginLibrary&) = delete;
  TPluginLibrary& operator=(const TPluginLibrary&) = delete;

  bool IsOpen() const { return handle_ != nullptr; }
  // The function of that name, else the one of "_" and the name (as some
  // compilers export them); null when neither is there.
  void* Find(const std::string& name) const;

 private:
  void* handle_ = nullptr;
};

// Makes a folder the working folder for its lifetime, then goes back.
class TWorkingFolder {
 public:
  explicit TWorkingFolder(const std::filesystem::path& folder);
  ~TWorkingFolder();
  TWorkingFolder(const TWorkingFolder&) = delete;
  TWorkingFolder& operator=(const TWorkingFolder&) = delete;

 private:
  int previous_ = -1;
};

}  // namespace zeph
