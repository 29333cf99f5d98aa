// Any bytes as popupmenu.lcf: the items read must survive a write and a
// second read, and the menu built from them must hold each item at most
// once.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "macro/popup_layout.h"
#include "macro/popup_menu.h"

using namespace zeph;

namespace {

size_t CountEntries(const std::vector<TPopupEntry>& entries, size_t item_count) {
  size_t count = 0;
  for (const TPopupEntry& entry : entries) {
    if (entry.item >= item_count) abort();
    count += 1 + CountEntries(entry.children, item_count);
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TPopupMenu menu{ParsePopupMenu(bytes)};
  std::string written = PopupMenuText(menu.items);
  if (ParsePopupMenu(written) != menu.items) abort();
  AssignCommandIds(&menu);
  if (CountEntries(BuildPopupMenu(menu), menu.items.size()) > menu.items.size()) abort();
  for (const TPopupItem& item : menu.items) {
    IsPopupItemEnabled(item, {true, size % 2 == 0, size % 3 == 0});
    if (ShownCaption(item.caption).size() > item.caption.size()) abort();
  }
  return 0;
}
