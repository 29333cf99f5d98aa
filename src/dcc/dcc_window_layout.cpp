#include "dcc/dcc_window_layout.h"

#include <string>

#include "settings/ini_file.h"
#include "settings/ini_writer.h"

namespace zeph {
namespace {

constexpr const char* kSection = "DCC";

template <size_t N>
void ReadColumns(TIniFile& ini, const char* prefix, std::array<int, N>& widths) {
  for (size_t i = 0; i < N; ++i) widths[i] = ini.ReadInteger(prefix + std::to_string(i), widths[i]);
}

template <size_t N>
void WriteColumns(TIniWriter& writer, const char* prefix, const std::array<int, N>& widths) {
  for (size_t i = 0; i < N; ++i) writer.WriteInteger(prefix + std::to_string(i), widths[i]);
}

}  // namespace

TDccWindowLayout ReadDccWindowLayout(TIniFile& ini) {
  ini.SetSection(kSection);
  TDccWindowLayout layout;
  layout.left = ini.ReadInteger("Left", layout.left);
  layout.top = ini.ReadInteger("Top", layout.top);
  layout.width = ini.ReadInteger("Width", layout.width);
  layout.height = ini.ReadInteger("Height", layout.height);
  layout.splitter = ini.ReadInteger("Splitter", layout.splitter);
  ReadColumns(ini, "ReceiveHeader.", layout.receive_columns);
  ReadColumns(ini, "SendHeader.", layout.send_columns);
  return layout;
}

void WriteDccWindowLayout(TIniWriter& writer, const TDccWindowLayout& layout) {
  writer.WriteSection(kSection);
  writer.WriteInteger("Left", layout.left);
  writer.WriteInteger("Top", layout.top);
  writer.WriteInteger("Width", layout.width);
  writer.WriteInteger("Height", layout.height);
  writer.WriteInteger("Splitter", layout.splitter);
  WriteColumns(writer, "ReceiveHeader.", layout.receive_columns);
  WriteColumns(writer, "SendHeader.", layout.send_columns);
}

}  // namespace zeph
