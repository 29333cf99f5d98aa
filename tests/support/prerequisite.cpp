#include "support/prerequisite.h"

#include <cstdlib>
#include <string>

namespace zeph::test {

bool AllTestsRequired() {
  const char* value = std::getenv("ZEPHLORA_REQUIRE_ALL_TESTS");
  return value != nullptr && *value != '\0' && std::string(value) != "0";
}

}  // namespace zeph::test
