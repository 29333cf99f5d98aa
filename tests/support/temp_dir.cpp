#include "support/temp_dir.h"

#include <cstdlib>

namespace zeph::test {

TTempDir::TTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zephlora-test-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  path_ = made ? made : pattern;
}

TTempDir::~TTempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace zeph::test
