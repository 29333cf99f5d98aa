// The main window and the program's other windows: they leave with the
// minimised main window and come back with it; the main window snaps to
// the screen's edges.
#include <QApplication>
#include <QDialog>
#include <QMoveEvent>
#include <QScreen>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

#include "widgets/main_frame_fixture.h"

namespace zeph {
namespace {

TEST_F(MainFrameTest, OtherWindowsHideWhileTheMainWindowIsMinimised) {
  for (bool hide_all : {true, false}) {
    Open([&](TPreferences& p) { p.HideAllWindowOnMinimize = hide_all; });
    frame_->show();
    QWidget other;
    other.show();
    QDialog modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();

    frame_->showMinimized();
    EXPECT_EQ(other.isVisible(), !hide_all);
    EXPECT_TRUE(modal.isVisible());  // hiding would end it as cancelled
    frame_->showNormal();
    EXPECT_TRUE(QTest::qWaitFor([&] { return other.isVisible(); }, 1000));
    EXPECT_TRUE(modal.isVisible());
    modal.hide();
    frame_.reset();
    app_.reset();
  }
}

// The window system's move, as a drag by the caption ends in one; moves
// of the program's own stay where they were asked to go.
TEST_F(MainFrameTest, AMoveByTheUserSnapsToTheWorkAreasEdgesWhenAsked) {
  for (bool snap : {true, false}) {
    Open([&](TPreferences& p) { p.SnapWindow = snap; });
    frame_->show();
    QRect work = frame_->screen()->availableGeometry();
    QPoint near_left(work.left() + 10, work.top() + 100);
    frame_->move(near_left);
    EXPECT_EQ(frame_->frameGeometry().topLeft(), near_left);
    QMoveEvent moved(frame_->pos(), QPoint(200, 100));
    QSpontaneKeyEvent::setSpontaneous(&moved);
    qApp->notify(frame_.get(), &moved);  // sendEvent would take the mark off
    EXPECT_EQ(frame_->frameGeometry().topLeft(), snap ? QPoint(work.left(), work.top() + 100) : near_left) << snap;
    frame_.reset();
    app_.reset();
  }
}

}  // namespace
}  // namespace zeph
