#include "platform/file_names.h"

#include <cstring>

#include "platform/cp932.h"

namespace zeph {
namespace fs = std::filesystem;

namespace {

// The characters a folder typed in the settings may not hold; separators
// stay.
bool IsBadInFolder(unsigned char c) { return IsControlByte(c) || (c != 0 && std::strchr(":<>*?|\"", c)); }

}  // namespace

bool IsReservedInFileName(unsigned char c) { return IsBadInFolder(c) || c == '\\' || c == '/'; }

std::string WithSlashes(std::string_view text) {
  std::string out(text);
  FoldSingleByteChars(out, [](char c) { return c == '\\' ? '/' : c; });
  return out;
}

fs::path AbsoluteFolder(const fs::path& folder) {
  fs::path root = folder.lexically_normal();
  if (!root.is_absolute()) return {};
  return root.has_filename() ? root : root.parent_path();
}

fs::path FolderFromText(std::string_view text) {
  std::string cleaned = WithSlashes(text);
  ReplaceSingleByteChars(cleaned, IsBadInFolder);
  return AbsoluteFolder(cp932::ToUtf8(cleaned));
}

std::string_view CutUtf8(std::string_view text, size_t limit) {
  if (text.size() <= limit) return text;
  while (limit > 0 && (static_cast<unsigned char>(text[limit]) & 0xC0) == 0x80) --limit;
  return text.substr(0, limit);
}

std::string FitFileName(std::string_view stem, std::string_view extension, size_t limit) {
  std::string name(stem);
  name += extension;
  if (name.size() <= limit) return name;
  if (extension.size() >= limit) return std::string(CutUtf8(name, limit));
  return std::string(CutUtf8(stem, limit - extension.size())) + std::string(extension);
}

size_t ExtensionStart(std::string_view name) {
  size_t dot = name.rfind('.');
  return dot == std::string_view::npos || dot == 0 ? std::string_view::npos : dot;
}

bool IsInsideFolder(const fs::path& folder, const fs::path& path) {
  fs::path relative = path.lexically_normal().lexically_relative(folder.lexically_normal());
  return !relative.empty() && relative != "." && *relative.begin() != "..";
}

}  // namespace zeph
