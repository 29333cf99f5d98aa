#include "support/environment.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "platform/user_folders.h"

namespace zeph::test {
namespace {

// As if the account had no entry: the home folder comes from HOME alone.
std::optional<TAccount> NoAccount() { return std::nullopt; }

}  // namespace

TScopedEnv::TScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
  if (const char* old = std::getenv(name)) old_ = old;
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

TScopedEnv::~TScopedEnv() {
  if (old_) {
    setenv(name_.c_str(), old_->c_str(), 1);
  } else {
    unsetenv(name_.c_str());
  }
}

TScopedTimeZone::TScopedTimeZone(const char* zone) {
  zone_.emplace("TZ", zone);
  tzset();
}

TScopedTimeZone::~TScopedTimeZone() {
  zone_.reset();
  tzset();
}

TMachineIsolation::TMachineIsolation() {
  setenv("HOME", home_.Path().c_str(), 1);
  for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME", "ZEPHLORA_HOME",
                           "USER", "LOGNAME"})
    unsetenv(name);
  std::filesystem::path runtime = home_.Path() / "runtime";
  std::filesystem::create_directory(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  setenv("TZ", "UTC", 1);
  tzset();
  SetAccountLookup(&NoAccount);
}

TMachineIsolation::~TMachineIsolation() { SetAccountLookup(nullptr); }

}  // namespace zeph::test
