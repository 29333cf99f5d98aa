#include "display/view_choices.h"

#include <charconv>
#include <cstdio>

namespace zeph {

namespace {

constexpr TLabelledCode kBackStyles[] = {
    {0, "背景色のみ"}, {100, "タイル"},   {101, "横に繰り返し"}, {102, "縦に繰り返し"}, {200, "中央"},
    {201, "左"},       {202, "右"},       {203, "上"},           {204, "下"},           {205, "左上"},
    {206, "右上"},     {207, "左下"},     {208, "右下"},         {300, "全体に拡大"},   {301, "拡大中央"},
    {302, "拡大左"},   {303, "拡大右"},   {304, "拡大上"},       {305, "拡大下"},       {306, "拡大左上"},
    {307, "拡大右上"}, {308, "拡大左下"}, {309, "拡大右下"},
};

constexpr TLabelledCode kShadowKinds[] = {
    {0, "なし"}, {1, "ドロップシャドー"}, {2, "縁取り"}, {3, "背景色で塗る"}};

constexpr TLabelledCode kCharsets[] = {
    {0, "欧文"},           {1, "デフォルト"},     {2, "シンボル"},   {77, "マッキントッシュ"},
    {128, "日本語"},       {129, "韓国語"},       {130, "韓国古語"}, {134, "簡体字中国語"},
    {136, "繁体字中国語"}, {161, "ギリシア語"},   {162, "トルコ語"}, {163, "ベトナム語"},
    {177, "ヘブライ語"},   {178, "アラビア語"},   {186, "バルト諸語"}, {204, "ロシア語"},
    {222, "タイ語"},       {238, "東ヨーロッパ諸語"}, {255, "OEM"},
};

constexpr int kSizes[] = {720, 480, 360, 320, 280, 260, 240, 220, 200, 180, 160, 140, 130,
                          120, 110, 105, 100, 90,  80,  70,  60,  50,  40,  30,  20,  10};

// The order the style box lists them in.
constexpr const char* kStyleLabels[] = {"標準",      "太字",      "斜体",      "下線",
                                        "太字 斜体", "太字 下線", "斜体 下線", "太字 斜体 下線"};

bool Contains(std::string_view text, std::string_view word) { return text.find(word) != std::string_view::npos; }

}  // namespace

std::span<const TLabelledCode> BackStyleChoices() { return kBackStyles; }
std::span<const TLabelledCode> ShadowKindChoices() { return kShadowKinds; }
std::span<const TLabelledCode> CharsetChoices() { return kCharsets; }

const char* CharsetLabel(int code) {
  for (const TLabelledCode& c : kCharsets)
    if (c.code == code) return c.label;
  return "デフォルト";
}

std::span<const int> FontSizeChoices() { return kSizes; }

std::string FontSizeText(int size) {
  char text[32];
  if (size % 10 == 0)
    std::snprintf(text, sizeof text, "%d", size / 10);
  else
    std::snprintf(text, sizeof text, "%d.%d", size / 10, size % 10);
  return text;
}

int ParseFontSizeText(const std::string& text, int fallback) {
  int whole = 0;
  const char* end = text.data() + text.size();
  auto [rest, error] = std::from_chars(text.data(), end, whole);
  if (error != std::errc() || whole < 0 || whole > 10000) return fallback;
  int tenths = 0;
  if (rest != end) {
    if (*rest != '.' || rest + 1 == end || rest[1] < '0' || rest[1] > '9') return fallback;
    tenths = rest[1] - '0';
  }
  int size = whole * 10 + tenths;
  return size > 0 ? size : fallback;
}

std::span<const char* const> FontStyleLabels() { return kStyleLabels; }

const char* FontStyleLabel(const TFontSpec& font) {
  for (const char* label : kStyleLabels) {
    TFontSpec probe;
    SetFontStyleFromLabel(label, &probe);
    if (probe.bold == font.bold && probe.italic == font.italic && probe.underline == font.underline) return label;
  }
  return kStyleLabels[0];
}

void SetFontStyleFromLabel(std::string_view utf8_label, TFontSpec* font) {
  font->bold = Contains(utf8_label, "太字");
  font->italic = Contains(utf8_label, "斜体");
  font->underline = Contains(utf8_label, "下線");
}

}  // namespace zeph
