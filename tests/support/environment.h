#pragma once

#include <optional>
#include <string>

#include "support/temp_dir.h"

namespace zeph::test {

// Sets an environment variable, or removes it when the value is nullopt,
// for the life of the object; then the old state comes back.
class TScopedEnv {
 public:
  TScopedEnv(const char* name, const std::optional<std::string>& value);
  ~TScopedEnv();
  TScopedEnv(const TScopedEnv&) = delete;
  TScopedEnv& operator=(const TScopedEnv&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// A time zone (a TZ value such as "UTC" or "JST-9") for local times, for
// the life of the object.
class TScopedTimeZone {
 public:
  explicit TScopedTimeZone(const char* zone);
  ~TScopedTimeZone();

 private:
  std::optional<TScopedEnv> zone_;
};

// Keeps a test program away from the machine it runs on, for the whole
// program (made in main): HOME is a fresh empty folder with the runtime
// folder in it, the other XDG folders, ZEPHLORA_HOME and the login name
// variables are unset, the password database is never asked, and local
// time is UTC. Programs the tests start inherit all of it.
class TMachineIsolation {
 public:
  TMachineIsolation();
  ~TMachineIsolation();

 private:
  TTempDir home_;
};

}  // namespace zeph::test
