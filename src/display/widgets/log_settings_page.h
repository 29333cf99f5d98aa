#pragma once
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "display/view_settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QTreeWidget;

// "ログ": the log's fonts, colours, backgrounds and shadow, item by item,
// with the preview beside them.
namespace zeph {

class TColorButton;
class TLogPreview;
class TWorkingView;

class TLogSettingsPage : public QWidget {
  Q_OBJECT

 public:
  explicit TLogSettingsPage(TWorkingView& working, QWidget* parent = nullptr);

  // Selects the item with this label (UTF-8); false when there is none.
  bool SelectItem(const char* label);
  // What the font dialog's OK does: the selected font item takes the font.
  void SetSelectedFont(const TFontSpec& font);
  // What the picture chooser's OK does for the selected background.
  void SetSelectedPicture(const std::string& name);

  TLogPreview& Preview() const { return *preview_; }

  // One item of the tree and what it edits in the settings.
  struct TItem {
    enum Kind { Font, Colors, Background, Shadow } kind;
    std::function<TFontSpec*(TViewSettings&)> font;
    std::function<bool*(TViewSettings&)> own_font;  // URL and host name: unchecked box = own font
    std::function<std::uint32_t*(TViewSettings&)> first_color;
    std::function<std::uint32_t*(TViewSettings&)> second_color;
    std::function<TBackground*(TViewSettings&)> back;
  };

 private:
  void BuildTree();
  QWidget* BuildFontPanel();
  QWidget* BuildColorPanel();
  QWidget* BuildBackgroundPanel();
  QWidget* BuildShadowPanel();
  const TItem* Current() const;
  void ShowCurrent();
  void Edited();
  void OpenFontDialog();
  void OpenPictureChooser();

  TWorkingView& working_;
  std::vector<TItem> items_;
  QTreeWidget* tree_ = nullptr;
  QStackedWidget* panels_ = nullptr;
  QLabel* font_name_ = nullptr;
  QCheckBox* underline_only_ = nullptr;
  QLineEdit* picture_ = nullptr;
  QComboBox* back_style_ = nullptr;
  QComboBox* shadow_kind_ = nullptr;
  std::vector<TColorButton*> color_buttons_;
  TLogPreview* preview_ = nullptr;
  bool showing_ = false;  // the controls are being filled, not edited
};

}  // namespace zeph
