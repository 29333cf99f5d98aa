#include "display/widgets/font_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "display/view_choices.h"
#include "display/view_realise.h"
#include "display/widgets/screen_fonts.h"
#include "platform/qt/qt_text.h"

namespace zeph {

namespace {

const QString kDefaultFamily = QString::fromUtf8("(デフォルト)");

QLabel* Buddy(const char* text, QWidget* control) {
  auto* label = new QLabel(QString::fromUtf8(text));
  label->setBuddy(control);
  return label;
}

}  // namespace

TFontDialog::TFontDialog(const TFontSpec& font, QWidget* parent) : QDialog(parent), font_(font) {
  setWindowTitle(QString::fromUtf8("フォントの設定"));
  Build();
  Select(font);
  ShowSample();
}

void TFontDialog::Build() {
  family_ = new QListWidget;
  family_->addItem(kDefaultFamily);
  family_->addItems(QFontDatabase::families());
  style_ = new QListWidget;
  for (const char* label : FontStyleLabels()) style_->addItem(QString::fromUtf8(label));
  size_ = new QComboBox;
  size_->setEditable(true);
  for (int size : FontSizeChoices()) size_->addItem(QString::fromStdString(FontSizeText(size)));
  charset_ = new QComboBox;
  for (const TLabelledCode& charset : CharsetChoices()) charset_->addItem(QString::fromUtf8(charset.label), charset.code);
  sample_ = new QLabel(QString::fromUtf8("abc あいう"));
  sample_->setMinimumHeight(48);
  sample_->setFrameShape(QFrame::StyledPanel);

  auto* grid = new QGridLayout;
  grid->addWidget(Buddy("ファミリ(&F):", family_), 0, 0);
  grid->addWidget(family_, 1, 0, 3, 1);
  grid->addWidget(Buddy("スタイル(&Y):", style_), 0, 1);
  grid->addWidget(style_, 1, 1);
  grid->addWidget(Buddy("サイズ(&S):", size_), 2, 1);
  grid->addWidget(size_, 3, 1);
  grid->addWidget(Buddy("文字セット(&R):", charset_), 4, 0);
  grid->addWidget(charset_, 4, 1);
  grid->addWidget(sample_, 5, 0, 1, 2);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);

  connect(family_, &QListWidget::currentRowChanged, this, &TFontDialog::ShowSample);
  connect(style_, &QListWidget::currentRowChanged, this, &TFontDialog::ShowSample);
  connect(size_, &QComboBox::currentTextChanged, this, &TFontDialog::ShowSample);
  connect(charset_, &QComboBox::currentIndexChanged, this, &TFontDialog::ShowSample);
}

void TFontDialog::Select(const TFontSpec& font) {
  QString family = font.family.empty() ? kDefaultFamily : ToQString(font.family);
  auto found = family_->findItems(family, Qt::MatchExactly);
  if (found.isEmpty() && !font.family.empty()) {
    // A face not installed here (a theme from another machine) stays chosen.
    family_->insertItem(1, family);
    found = family_->findItems(family, Qt::MatchExactly);
  }
  family_->setCurrentItem(found.value(0));
  auto style = style_->findItems(QString::fromUtf8(FontStyleLabel(font)), Qt::MatchExactly);
  style_->setCurrentItem(style.value(0));
  size_->setCurrentText(QString::fromStdString(FontSizeText(font.size)));
  int charset = charset_->findData(font.charset);
  if (charset < 0) {
    charset_->addItem(QString::fromUtf8(CharsetLabel(font.charset)), font.charset);
    charset = charset_->count() - 1;
  }
  charset_->setCurrentIndex(charset);
}

TFontSpec TFontDialog::Font() const {
  TFontSpec font = font_;
  QListWidgetItem* family = family_->currentItem();
  font.family = !family || family->text() == kDefaultFamily ? std::string() : FromQString(family->text());
  if (QListWidgetItem* style = style_->currentItem()) SetFontStyleFromLabel(style->text().toStdString(), &font);
  font.size = ParseFontSizeText(size_->currentText().toStdString(), font_.size);
  font.charset = charset_->currentData().toInt();
  return font;
}

void TFontDialog::ShowSample() {
  if (!sample_) return;
  sample_->setFont(ScreenFont(RealisedFont(Font()), ScreenDpi()));
}

}  // namespace zeph
