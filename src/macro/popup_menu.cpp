#include "macro/popup_menu.h"

#include <algorithm>
#include <optional>

#include "settings/line_list.h"
#include "macro/keyword_case.h"
#include "macro/record_line.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace zeph {
namespace {

constexpr size_t kFieldCount = 5;
constexpr std::string_view kSearchPath = "/search?";

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
    text.replace(pos, from.size(), to);
  return text;
}

// The address after "http://" or "https://"; nothing for other addresses.
std::optional<std::string_view> WebAddress(std::string_view url) {
  for (std::string_view scheme : {"https://", "http://"}) {
    if (StartsWithKeyword(url, scheme)) return url.substr(scheme.size());
  }
  return std::nullopt;
}

// Web search items of older versions asked the search for Shift_JIS, and
// may name its address with http.
bool IsWebSearch(const TPopupItem& item) {
  if (!EqualsKeyword(item.action, "OpenURL")) return false;
  std::optional<std::string_view> address = WebAddress(item.info);
  return address && address->starts_with(std::string(*WebAddress(kWebSearchEndpoint)) + std::string(kSearchPath));
}

void MoveWebSearchToUtf8(TPopupItem& item) {
  if (!IsWebSearch(item)) return;
  item.info = ReplaceAll(item.info, "Shift_JIS", "utf-8");
  if (item.target.empty() && AsciiLowerText(item.info).find("utf-8") != std::string::npos) item.target = "UTF-8";
}

TPopupItem Item(std::string_view caption, std::string_view action, std::string_view target, std::string_view info) {
  return {0, Sjis(caption), std::string(action), std::string(target), std::string(info)};
}

}  // namespace

bool ParsePopupItem(std::string_view line, TPopupItem* item) {
  if (!IsRecordLine(line)) return false;
  std::vector<std::string> f = SplitRecord(line, kFieldCount);
  *item = {RecordInteger(f[0]), std::move(f[1]), std::move(f[2]), std::move(f[3]), std::move(f[4])};
  return true;
}

std::string PopupItemLine(const TPopupItem& item) {
  return JoinRecord({std::to_string(item.level), item.caption, item.action, item.target, item.info});
}

std::vector<TPopupItem> ParsePopupMenu(std::string_view bytes) {
  TLineList lines;
  lines.SetText(bytes);
  return ReadRecords(lines, ParsePopupItem);
}

std::string PopupMenuText(const std::vector<TPopupItem>& items) { return RecordLines(items, PopupItemLine).Text(); }

std::vector<TPopupItem> DefaultPopupItems() {
  std::string search = std::string(kWebSearchEndpoint) + std::string(kSearchPath) + "hl=ja&lr=lang_ja&ie=utf-8&q=%s";
  return {
      Item("ニックネーム変更(&N)...\\tAlt+N", "Menu", "", "Nick"),
      Item("トピック変更(&T)...\\tAlt+T", "Menu", "", "Topic"),
      Item("-", "", "", ""),
      Item("選択範囲をトピックにする(&S)", "Topic", "%a", "%s"),
      Item("選択範囲をGoogleで検索(&G)", "OpenURL", "UTF-8", search),
      Item("-", "", "", ""),
      Item("コピー(&C)\\tCtrl+C", "Menu", "", "Copy"),
      Item("貼り付け(&P)\\tCtrl+V", "Menu", "", "Paste"),
      Item("すべて選択(&A)", "Menu", "", "SelectAll"),
  };
}

TPopupMenu LoadPopupMenu(const std::filesystem::path& file) {
  TPopupMenu menu;
  TLineList lines;
  menu.items = lines.LoadFromFile(file) ? ReadRecords(lines, ParsePopupItem) : DefaultPopupItems();
  for (TPopupItem& item : menu.items) MoveWebSearchToUtf8(item);
  AssignCommandIds(&menu);
  return menu;
}

bool SavePopupMenu(const std::filesystem::path& file, const TPopupMenu& menu) {
  // The configuration folder also holds the server passwords.
  if (file.has_parent_path()) CreateFolders(file.parent_path(), TFilePrivacy::OwnerOnly);
  return RecordLines(menu.items, PopupItemLine).SaveToFile(file);
}

void AssignCommandIds(TPopupMenu* menu) {
  for (size_t i = 0; i < menu->items.size(); ++i) menu->items[i].command_id = kPopupCommandBase + static_cast<int>(i);
}

int ShownLevel(const TPopupItem& item) { return std::clamp(item.level, 0, kPopupMaxLevel); }

std::string ShownCaption(std::string_view caption) {
  std::string shown;
  for (size_t pos = 0; pos < caption.size();) {
    size_t length = SjisCharLength(caption, pos);
    if (length == 1 && caption.substr(pos, 2) == "\\t") {
      shown += '\t';
      pos += 2;
      continue;
    }
    shown.append(caption.substr(pos, length));
    pos += length;
  }
  return shown;
}

}  // namespace zeph
