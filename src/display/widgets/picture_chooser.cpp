#include "display/widgets/picture_chooser.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "display/theme_pictures.h"
#include "platform/qt/qt_text.h"

namespace zeph {

namespace {

constexpr int kPreviewSide = 160;

QLineEdit* FolderBox(const std::filesystem::path& folder) {
  auto* box = new QLineEdit(QString::fromStdString(folder.string()));
  box->setReadOnly(true);
  return box;
}

}  // namespace

TPictureChooser::TPictureChooser(const TThemeFolders& folders, const std::string& current, QWidget* parent)
    : QDialog(parent), folders_(folders) {
  setWindowTitle(QString::fromUtf8("画像ファイルの選択"));
  auto* form = new QFormLayout;
  form->addRow(QString::fromUtf8("ユーザの画像フォルダ(&F):"), FolderBox(folders.profile_image));
  form->addRow(QString::fromUtf8("共通の画像フォルダ(&C):"), FolderBox(folders.shared_image));
  names_ = new QListWidget;
  preview_ = new QLabel;
  preview_->setFixedSize(kPreviewSide, kPreviewSide);
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setAutoFillBackground(true);
  preview_->setBackgroundRole(QPalette::Button);
  auto* refill = new QPushButton(QString::fromUtf8("更新(&U)"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  auto* side = new QVBoxLayout;
  side->addWidget(preview_);
  side->addWidget(refill);
  side->addStretch();
  auto* middle = new QHBoxLayout;
  middle->addWidget(names_, 1);
  middle->addLayout(side);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(middle);
  layout->addWidget(buttons);
  connect(refill, &QPushButton::clicked, this, &TPictureChooser::Refill);
  connect(names_, &QListWidget::currentRowChanged, this, &TPictureChooser::ShowPreview);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Refill();
  if (!current.empty()) {
    auto found = names_->findItems(ToQString(current), Qt::MatchStartsWith);
    if (!found.isEmpty()) names_->setCurrentItem(found.first());
  }
}

void TPictureChooser::Refill() {
  QString selected = names_->currentItem() ? names_->currentItem()->text() : QString();
  names_->clear();
  for (const std::string& name : ListThemePictures(folders_)) names_->addItem(ToQString(name));
  auto found = names_->findItems(selected, Qt::MatchExactly);
  if (!selected.isEmpty() && !found.isEmpty()) names_->setCurrentItem(found.first());
  ShowPreview();
}

std::string TPictureChooser::Chosen() const {
  return names_->currentItem() ? FromQString(names_->currentItem()->text()) : std::string();
}

bool TPictureChooser::HasPreview() const { return !preview_->pixmap().isNull(); }

void TPictureChooser::ShowPreview() {
  preview_->clear();
  std::string name = Chosen();
  auto picture = name.empty() ? std::nullopt : LoadThemePicture(folders_, name);
  if (!picture) return;
  QImage image(picture->rgb.data(), picture->width, picture->height, picture->width * 3, QImage::Format_RGB888);
  preview_->setPixmap(QPixmap::fromImage(image.scaled(preview_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

}  // namespace zeph
