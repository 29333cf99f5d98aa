#pragma once
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "display/view_settings.h"

// "サーバツリー", "メンバリスト" and "入力テキスト": a font and pairs of text
// and back colours, with a preview of the control they colour.
namespace zeph {

class TColorButton;
class TWorkingView;

class TColorPairsPage : public QWidget {
  Q_OBJECT

 public:
  struct TRow {
    const char* label;  // UTF-8, "通常:" ...
    std::function<std::uint32_t*(TViewSettings&)> text;
    std::function<std::uint32_t*(TViewSettings&)> back;
  };
  struct TSample {
    const char* text;  // UTF-8
    int row;           // the colours it shows
    bool child = false;  // in a tree preview: under the first sample
  };
  enum class TPreviewKind { Tree, List, Edit };
  struct TPageLayout {
    std::function<TFontSpec*(TViewSettings&)> font;
    std::vector<TRow> rows;
    TPreviewKind preview;
    std::vector<TSample> samples;
  };

  TColorPairsPage(TWorkingView& working, TPageLayout page, QWidget* parent = nullptr);

  // What the font dialog's OK does.
  void SetFont(const TFontSpec& font);
  QWidget* Preview() const { return preview_; }

 private:
  void Refresh();
  void Edited();
  void ShowPreview();

  TWorkingView& working_;
  TPageLayout layout_;
  std::vector<TColorButton*> buttons_;
  QWidget* preview_ = nullptr;
};

// The three pages.
TColorPairsPage* CreateTreeSettingsPage(TWorkingView& working);
TColorPairsPage* CreateMemberListSettingsPage(TWorkingView& working);
TColorPairsPage* CreateInputSettingsPage(TWorkingView& working);

}  // namespace zeph
