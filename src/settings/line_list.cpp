#include "settings/line_list.h"

#include "settings/text_file.h"
#include "platform/files.h"

namespace zeph {

bool TLineList::LoadFromFile(const std::filesystem::path& path) {
  TTextFile file;
  if (!file.Open(path, TFileAccess::Read, TFileDisposition::OpenExisting)) return false;
  std::vector<std::string> lines;
  std::string line;
  while (file.ReadLine(&line)) lines.push_back(std::move(line));
  if (file.Failed()) return false;
  lines_ = std::move(lines);
  return true;
}

bool TLineList::SaveToFile(const std::filesystem::path& path) const {
  TAtomicFile file;
  return file.Open(path, TFilePrivacy::Shared) && file.Write(Text()) && file.Commit();
}

void TLineList::SetText(std::string_view bytes) {
  lines_.clear();
  while (auto end = FindLineEnd(bytes, true)) {
    lines_.emplace_back(bytes.substr(0, end->length));
    bytes.remove_prefix(end->next);
  }
}

std::string TLineList::Text() const {
  std::string text;
  for (const std::string& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

const std::string& TLineList::Get(int index) const {
  static const std::string kNone;
  return Contains(index) ? lines_[static_cast<size_t>(index)] : kNone;
}

void TLineList::Add(std::string line) { lines_.push_back(std::move(line)); }

void TLineList::Insert(int index, std::string line) {
  if (!Contains(index)) {
    Add(std::move(line));
    return;
  }
  lines_.insert(lines_.begin() + index, std::move(line));
}

void TLineList::Delete(int index) {
  if (Contains(index)) lines_.erase(lines_.begin() + index);
}

}  // namespace zeph
