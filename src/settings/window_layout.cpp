#include "settings/window_layout.h"

#include "platform/string_printf.h"
#include "settings/ini_file.h"
#include "settings/ini_writer.h"

namespace zeph {
namespace {

enum class TRectKeys { kPlaceAndSize, kSizeOnly };

void ReadRect(const TIniFile& file, TRectKeys keys, TWindowRect* rect) {
  int left = 0, top = 0;
  if (keys == TRectKeys::kPlaceAndSize) {
    left = file.ReadInteger("Left", rect->left);
    top = file.ReadInteger("Top", rect->top);
  }
  int width = file.ReadInteger("Width", rect->Width());
  int height = file.ReadInteger("Height", rect->Height());
  *rect = TWindowRect::At(left, top, width, height);
}

void WriteRect(TIniWriter& writer, TRectKeys keys, const TWindowRect& rect) {
  if (keys == TRectKeys::kPlaceAndSize) {
    writer.WriteInteger("Left", rect.left);
    writer.WriteInteger("Top", rect.top);
  }
  writer.WriteInteger("Width", rect.Width());
  writer.WriteInteger("Height", rect.Height());
}

void ReadColumns(const TIniFile& file, const char* format, std::vector<int>* widths) {
  for (size_t i = 0; i < widths->size(); ++i)
    (*widths)[i] = file.ReadInteger(StringPrintf(format, static_cast<int>(i)), (*widths)[i]);
}

void WriteColumns(TIniWriter& writer, const char* format, const std::vector<int>& widths) {
  for (size_t i = 0; i < widths.size(); ++i) writer.WriteInteger(StringPrintf(format, static_cast<int>(i)), widths[i]);
}

// A window with a rectangle and optionally one list, in its own section.
struct TEntrySection {
  const char* name;
  TRectKeys keys;
  TWindowEntry TWindowLayout::*entry;
};

constexpr TEntrySection kEntrySections[] = {
    {"Who", TRectKeys::kPlaceAndSize, &TWindowLayout::who},
    {"List", TRectKeys::kPlaceAndSize, &TWindowLayout::list},
};

struct THeaderSection {
  const char* name;
  std::vector<int> TWindowLayout::*header;
};

constexpr THeaderSection kHeaderSections[] = {
    {"Server", &TWindowLayout::server_header},
    {"PreferenceSound", &TWindowLayout::preference_sound_header},
    {"PreferenceFormat", &TWindowLayout::preference_format_header},
};

struct TSizeSection {
  const char* name;
  TWindowRect TWindowLayout::*rect;
};

constexpr TSizeSection kSizeSections[] = {
    {"Paste", &TWindowLayout::paste},
    {"KeywordHistory", &TWindowLayout::keyword_history},
    {"URLHistory", &TWindowLayout::url_history},
};

void ReadMain(const TIniFile& file, TWindowLayout::TMain* main) {
  ReadRect(file, TRectKeys::kPlaceAndSize, &main->rect);
  main->minimized = file.ReadBool("Minimized", main->minimized);
  main->maximized = file.ReadBool("Maximized", main->maximized);
  main->splitter_root = file.ReadInteger("Splitter.Root", main->splitter_root);
  main->splitter_log = file.ReadInteger("Splitter.Log", main->splitter_log);
  main->splitter_info = file.ReadInteger("Splitter.Info", main->splitter_info);
  main->menu_visible = file.ReadBool("MenuVisible", main->menu_visible);
  main->top_most = file.ReadBool("TopMost", main->top_most);
  main->enable_tool_bar = file.ReadBool("EnableToolBar", main->enable_tool_bar);
}

void WriteMain(TIniWriter& writer, const TWindowLayout::TMain& main) {
  writer.WriteSection("Main");
  WriteRect(writer, TRectKeys::kPlaceAndSize, main.rect);
  writer.WriteBool("Minimized", main.minimized);
  writer.WriteBool("Maximized", main.maximized);
  writer.WriteInteger("Splitter.Root", main.splitter_root);
  writer.WriteInteger("Splitter.Log", main.splitter_log);
  writer.WriteInteger("Splitter.Info", main.splitter_info);
  writer.WriteBool("MenuVisible", main.menu_visible);
  writer.WriteBool("TopMost", main.top_most);
  writer.WriteBool("EnableToolBar", main.enable_tool_bar);
}

}  // namespace

TWindowLayout ReadWindowLayout(const TIniFile& const_file) {
  TIniFile file = const_file;  // the reads move the current section
  TWindowLayout layout;
  file.SetSection("Main");
  ReadMain(file, &layout.main);
  file.SetSection("ProtocolLog");
  ReadRect(file, TRectKeys::kPlaceAndSize, &layout.protocol_log.rect);
  file.SetSection("DCC");
  ReadRect(file, TRectKeys::kPlaceAndSize, &layout.dcc.rect);
  layout.dcc_splitter = file.ReadInteger("Splitter", layout.dcc_splitter);
  ReadColumns(file, "ReceiveHeader.%d", &layout.dcc.header);
  ReadColumns(file, "SendHeader.%d", &layout.dcc_send_header);
  for (const TEntrySection& s : kEntrySections) {
    file.SetSection(s.name);
    ReadRect(file, s.keys, &(layout.*s.entry).rect);
    ReadColumns(file, "Header.%d", &(layout.*s.entry).header);
  }
  file.SetSection("MacroSelect");
  ReadRect(file, TRectKeys::kSizeOnly, &layout.macro_select.rect);
  layout.macro_file_header = file.ReadInteger("FileHeader", layout.macro_file_header);
  file.SetSection("MacroEditor");
  ReadRect(file, TRectKeys::kSizeOnly, &layout.macro_editor.rect);
  ReadColumns(file, "Header.%d", &layout.macro_editor.header);
  file.SetSection("PopupEditor");
  ReadRect(file, TRectKeys::kSizeOnly, &layout.popup_editor.rect);
  ReadColumns(file, "Header.%d", &layout.popup_editor.header);
  for (const THeaderSection& s : kHeaderSections) {
    file.SetSection(s.name);
    ReadColumns(file, "Header.%d", &(layout.*s.header));
  }
  for (const TSizeSection& s : kSizeSections) {
    file.SetSection(s.name);
    ReadRect(file, TRectKeys::kSizeOnly, &(layout.*s.rect));
  }
  file.SetSection("Find");
  layout.find_case = file.ReadBool("Case", layout.find_case);
  layout.find_ring = file.ReadBool("Ring", layout.find_ring);
  file.SetSection("CustomColor");
  for (size_t i = 0; i < layout.custom_colors.size(); ++i)
    layout.custom_colors[i] = file.ReadHex(StringPrintf("Color.%02d", static_cast<int>(i)), layout.custom_colors[i]);
  return layout;
}

TWindowLayout LoadWindowLayout(const std::filesystem::path& path) {
  TIniFile file(false);
  file.Load(path);
  return ReadWindowLayout(file);
}

void WriteWindowLayout(TIniWriter& writer, const TWindowLayout& layout) {
  WriteMain(writer, layout.main);
  writer.WriteSection("ProtocolLog");
  WriteRect(writer, TRectKeys::kPlaceAndSize, layout.protocol_log.rect);
  writer.WriteSection("DCC");
  WriteRect(writer, TRectKeys::kPlaceAndSize, layout.dcc.rect);
  writer.WriteInteger("Splitter", layout.dcc_splitter);
  WriteColumns(writer, "ReceiveHeader.%d", layout.dcc.header);
  WriteColumns(writer, "SendHeader.%d", layout.dcc_send_header);
  for (const TEntrySection& s : kEntrySections) {
    writer.WriteSection(s.name);
    WriteRect(writer, s.keys, (layout.*s.entry).rect);
    WriteColumns(writer, "Header.%d", (layout.*s.entry).header);
  }
  writer.WriteSection("MacroSelect");
  WriteRect(writer, TRectKeys::kSizeOnly, layout.macro_select.rect);
  writer.WriteInteger("FileHeader", layout.macro_file_header);
  writer.WriteSection("MacroEditor");
  WriteRect(writer, TRectKeys::kSizeOnly, layout.macro_editor.rect);
  WriteColumns(writer, "Header.%d", layout.macro_editor.header);
  writer.WriteSection("PopupEditor");
  WriteRect(writer, TRectKeys::kSizeOnly, layout.popup_editor.rect);
  WriteColumns(writer, "Header.%d", layout.popup_editor.header);
  for (const THeaderSection& s : kHeaderSections) {
    writer.WriteSection(s.name);
    WriteColumns(writer, "Header.%d", layout.*s.header);
  }
  for (const TSizeSection& s : kSizeSections) {
    writer.WriteSection(s.name);
    WriteRect(writer, TRectKeys::kSizeOnly, layout.*s.rect);
  }
  writer.WriteSection("Find");
  writer.WriteBool("Case", layout.find_case);
  writer.WriteBool("Ring", layout.find_ring);
  writer.WriteSection("CustomColor");
  for (size_t i = 0; i < layout.custom_colors.size(); ++i)
    writer.WriteHex(StringPrintf("Color.%02d", static_cast<int>(i)), layout.custom_colors[i]);
}

bool SaveWindowLayout(const std::filesystem::path& path, const TWindowLayout& layout) {
  return SaveIniFile(path, TFilePrivacy::Shared, [&layout](TIniWriter& writer) { WriteWindowLayout(writer, layout); });
}

}  // namespace zeph
