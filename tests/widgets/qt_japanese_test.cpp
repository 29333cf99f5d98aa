// The standard buttons of every dialog speak Japanese once Qt's own
// translations are installed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>

#include "platform/qt/qt_translations.h"

namespace zeph {
namespace {

TEST(QtJapaneseTest, StandardButtonsSpeakJapanese) {
  QTranslator* translator = InstallQtJapanese(*qApp);
  ASSERT_NE(translator, nullptr);
  QDialogButtonBox box(QDialogButtonBox::Close | QDialogButtonBox::Cancel);
  EXPECT_EQ(box.button(QDialogButtonBox::Close)->text().remove('&'), QString::fromUtf8("閉じる"));
  EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove('&'), QString::fromUtf8("キャンセル"));
  QCoreApplication::removeTranslator(translator);
  delete translator;
}

}  // namespace
}  // namespace zeph
