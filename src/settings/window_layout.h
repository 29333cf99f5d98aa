#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace zeph {

class TIniFile;
class TIniWriter;

// A window rectangle: right = left + width, bottom = top + height.
struct TWindowRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  static TWindowRect At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
  }
  bool operator==(const TWindowRect&) const = default;
};

// The placement of a secondary window and the widths of its list columns.
struct TWindowEntry {
  TWindowRect rect;
  std::vector<int> header;  // Header.%d (or the receive pane's columns)
  bool operator==(const TWindowEntry&) const = default;
};

// window.ini: where the windows were, how the main window's panes were
// split, and the columns of the lists. Values are not checked: a window
// placed off-screen stays there, as the user left it.
struct TWindowLayout {
  struct TMain {
    TWindowRect rect = TWindowRect::At(100, 100, 500, 500);  // the normal (restored) placement
    bool minimized = false;
    bool maximized = false;
    int splitter_root = 120;  // width of the tree side
    int splitter_log = 100;   // height of the console
    int splitter_info = 200;  // height of the server tree
    bool menu_visible = true;
    bool top_most = false;
    bool enable_tool_bar = true;
    bool operator==(const TMain&) const = default;
  } main;
  TWindowEntry protocol_log{TWindowRect::At(200, 200, 500, 400), {}};
  TWindowEntry dcc{TWindowRect::At(200, 200, 600, 400), {100, 150, 100, 160, 50, 60, 50, 120, 100}};
  int dcc_splitter = 160;
  std::vector<int> dcc_send_header{100, 150, 100, 160, 50, 60, 50, 120};
  TWindowEntry who{TWindowRect::At(200, 200, 640, 400), {24, 80, 80, 190, 100, 120}};
  TWindowEntry list{TWindowRect::At(200, 200, 500, 400), {200, 40, 220}};
  // The next windows keep only their size; they open where they are put.
  TWindowEntry macro_select{TWindowRect::At(0, 0, 480, 300), {}};
  int macro_file_header = 100;
  TWindowEntry macro_editor{TWindowRect::At(0, 0, 560, 300), {80, 50, 60, 70, 30, 30, 40, 40, 70, 30}};
  TWindowEntry popup_editor{TWindowRect::At(0, 0, 600, 300), {50, 160, 80, 80, 170}};
  std::vector<int> server_header{140, 50, 50, 50, 30, 30, 30};
  std::vector<int> preference_sound_header{160, 400};
  std::vector<int> preference_format_header{130, 80, 60, 175};
  TWindowRect paste = TWindowRect::At(0, 0, 400, 300);
  TWindowRect keyword_history = TWindowRect::At(0, 0, 400, 300);
  TWindowRect url_history = TWindowRect::At(0, 0, 400, 300);
  bool find_case = false;
  bool find_ring = true;
  std::array<unsigned, 16> custom_colors = MakeWhite();

  bool operator==(const TWindowLayout&) const = default;

 private:
  static std::array<unsigned, 16> MakeWhite() {
    std::array<unsigned, 16> colors;
    colors.fill(0xffffff);
    return colors;
  }
};

// Missing file or keys: the defaults.
TWindowLayout ReadWindowLayout(const TIniFile& file);
TWindowLayout LoadWindowLayout(const std::filesystem::path& path);
// Every section, in a fixed order.
void WriteWindowLayout(TIniWriter& writer, const TWindowLayout& layout);
bool SaveWindowLayout(const std::filesystem::path& path, const TWindowLayout& layout);

}  // namespace zeph
