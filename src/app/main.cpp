#include <cstdio>
#include <cstring>

#include "platform/version.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("%s %d.%02d\n", zeph::kProductName, zeph::kVersionMajor, zeph::kVersionMinor);
      return 0;
    }
  }
  std::printf("%s %d.%02d\n", zeph::kProductName, zeph::kVersionMajor, zeph::kVersionMinor);
  return 0;
}
