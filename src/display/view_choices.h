#pragma once
#include <span>
#include <string>

#include "display/view_settings.h"

// The fixed choices of the view settings pages and the font dialog, with
// their labels (UTF-8, as the controls show them).
namespace zeph {

struct TLabelledCode {
  int code;
  const char* label;
};

// The background placements in the order the style box lists them.
std::span<const TLabelledCode> BackStyleChoices();
// The four ways of drawing a shadow, by shadowKind.
std::span<const TLabelledCode> ShadowKindChoices();
// The character sets the font dialog names.
std::span<const TLabelledCode> CharsetChoices();
// A character set's name; any code the list lacks is "デフォルト".
const char* CharsetLabel(int code);

// The font dialog's size list, in tenths of a point.
std::span<const int> FontSizeChoices();
// A size as the dialog shows it: "10" for 100, "10.5" for 105.
std::string FontSizeText(int size);
// A typed size: "10.5" gives 105; nothing usable gives `fallback`.
int ParseFontSizeText(const std::string& text, int fallback);

// The eight style labels ("標準" ... "太字 斜体 下線") and back: a label
// sets bold, italic and underline by the words it contains.
std::span<const char* const> FontStyleLabels();
const char* FontStyleLabel(const TFontSpec& font);
void SetFontStyleFromLabel(std::string_view utf8_label, TFontSpec* font);

}  // namespace zeph
