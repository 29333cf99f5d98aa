#pragma once

#include <array>

// Where the DCC window stands and how wide its columns are, as window.ini
// keeps them in section "DCC".
namespace zeph {

class TIniFile;
class TIniWriter;

struct TDccWindowLayout {
  int left = 200;
  int top = 200;
  int width = 600;
  int height = 400;
  int splitter = 160;  // the height of the receive pane
  std::array<int, 9> receive_columns = {100, 150, 100, 160, 50, 60, 50, 120, 100};
  std::array<int, 8> send_columns = {100, 150, 100, 160, 50, 60, 50, 120};

  bool operator==(const TDccWindowLayout&) const = default;
};

// Missing keys keep their defaults.
TDccWindowLayout ReadDccWindowLayout(TIniFile& ini);
// The section header and its keys, in the file's order.
void WriteDccWindowLayout(TIniWriter& writer, const TDccWindowLayout& layout);

}  // namespace zeph
