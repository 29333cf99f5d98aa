#pragma once
#include <string>
#include <vector>

namespace zeph {

// What an import did, for the wizard to show: one line (internal text) per
// notable event, and the counts.
struct TImportReport {
  std::vector<std::string> lines;
  int copied = 0;
  int failed = 0;                // copies that failed; the import went on
  bool settings_saved = false;   // every settings file was written

  void Add(std::string line) { lines.push_back(std::move(line)); }
};

}  // namespace zeph
