#pragma once
#include <QDialog>

#include "display/view_settings.h"

class QComboBox;
class QLabel;
class QListWidget;

// "フォントの設定": family, style, size and character set of one font
// setting, with a sample. The colour and the "N" flag stay as they were.
namespace zeph {

class TFontDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TFontDialog(const TFontSpec& font, QWidget* parent = nullptr);

  // The setting as the controls give it now.
  TFontSpec Font() const;

  // The controls, for the tests.
  QComboBox* SizeBox() const { return size_; }
  QListWidget* StyleList() const { return style_; }
  QComboBox* CharsetBox() const { return charset_; }
  QListWidget* FamilyList() const { return family_; }
  QLabel* Sample() const { return sample_; }

 private:
  void Build();
  void Select(const TFontSpec& font);
  void ShowSample();

  TFontSpec font_;
  QListWidget* family_ = nullptr;
  QListWidget* style_ = nullptr;
  QComboBox* size_ = nullptr;
  QComboBox* charset_ = nullptr;
  QLabel* sample_ = nullptr;
};

}  // namespace zeph
