#pragma once
#include <QDialog>
#include <string>

#include "display/theme_files.h"

class QLabel;
class QListWidget;

// "画像ファイルの選択": the pictures of the user's and the shared image
// folders, with a preview of the one selected.
namespace zeph {

class TPictureChooser : public QDialog {
  Q_OBJECT

 public:
  TPictureChooser(const TThemeFolders& folders, const std::string& current, QWidget* parent = nullptr);

  // The bare file name selected (internal text); empty when none is.
  std::string Chosen() const;

  // Lists the folders again ("更新(&U)").
  void Refill();

  QListWidget* Names() const { return names_; }
  // Whether the preview shows a picture.
  bool HasPreview() const;

 private:
  void ShowPreview();

  TThemeFolders folders_;
  QListWidget* names_ = nullptr;
  QLabel* preview_ = nullptr;
};

}  // namespace zeph
