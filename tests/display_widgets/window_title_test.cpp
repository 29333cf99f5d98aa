#include <gtest/gtest.h>

#include <QWidget>
#include <QWindow>

#include "platform/qt/qt_text.h"

namespace zeph {
namespace {

TEST(QtTextTest, WindowTitlesKeepTheirModifiedMarkLiterally) {
  QWidget widget;
  widget.setWindowTitle(LiteralWindowTitle(QStringLiteral("#chan[*] - log")));
  widget.winId();
  EXPECT_EQ(widget.windowHandle()->title(), QStringLiteral("#chan[*] - log"));
}

}  // namespace
}  // namespace zeph
