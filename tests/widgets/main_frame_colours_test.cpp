// The server tree, the member list and the input line drawn with the view
// settings' colours and fonts, following marks, nick changes and the
// settings dialog.
#include <QApplication>
#include <QBrush>
#include <QDialog>
#include <QListView>
#include <QTimer>
#include <QTreeView>

#include "display/view_realise.h"
#include "display/widgets/screen_look.h"
#include "widgets/main_frame_fixture.h"

namespace zeph {
namespace {

struct TShownPair {
  QColor text;
  QColor back;
  bool operator==(const TShownPair&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TShownPair& pair) {
  return out << pair.text.name().toStdString() << " on " << pair.back.name().toStdString();
}

TShownPair Expected(const TColorPair& pair) { return {ScreenColor(pair.text), ScreenColor(pair.back)}; }

// What the model gives an unselected row.
TShownPair RolePair(const QModelIndex& index) {
  return {index.data(Qt::ForegroundRole).value<QBrush>().color(), index.data(Qt::BackgroundRole).value<QBrush>().color()};
}

// The colour drawn right of the row's text, where only its background shows.
QColor DrawnBack(QAbstractItemView& view, const QModelIndex& index) {
  const QRect rect = view.visualRect(index);
  return view.viewport()->grab().toImage().pixelColor(rect.right() - 2, rect.center().y());
}

class MainFrameColoursTest : public MainFrameTest {
 protected:
  void Show() {
    frame_->resize(900, 600);
    frame_->show();
    QApplication::processEvents();
  }
  const TViewSettings& Look() { return app_->ViewSettings(); }
  QTreeView& Tree() { return *frame_->ServerTree(); }
  QModelIndex RoomRow() { return Tree().model()->index(0, 0, Tree().model()->index(0, 0, {})); }
  QListView* Members() {
    for (QListView* view : frame_->findChildren<QListView*>())
      if (view->isVisible() && view->model()) return view;
    return nullptr;
  }
  QModelIndex MemberRow(QListView& list, const char* nick) {
    QAbstractItemModel& model = *list.model();
    for (int row = 0; row < model.rowCount(); ++row)
      if (model.index(row, 0).data().toString().endsWith(QString::fromUtf8(nick))) return model.index(row, 0);
    return {};
  }
  void RunSettingsOk() {
    QTimer::singleShot(0, [] { static_cast<QDialog*>(QApplication::activeModalWidget())->accept(); });
    Item("setup")->trigger();
  }
};

// The strongest mark decides the colours; an unmarked node has the tree
// font's colour on the tree background; the selected node the selected
// pair whatever its marks.
TEST_F(MainFrameColoursTest, TreeNodesTakeTheirStrongestMarksPairAndTheSelectedPairWhenSelected) {
  Open();
  Show();
  const TViewSettings& look = Look();
  struct TCase {
    const char* name;
    std::function<void(TTreeNode&)> mark;
    TColorPair expected;
  };
  const std::vector<TCase> cases = {
      {"none", [](TTreeNode&) {}, {look.tree_font.color, look.tree_back_color}},
      {"unread", [](TTreeNode& n) { n.SetUpdateMark(); }, look.tree_update},
      {"new talk over unread", [](TTreeNode& n) { n.SetUpdateMark(), n.SetNewTalkMark(); }, look.tree_new_talk},
      {"keyword over both",
       [](TTreeNode& n) { n.SetUpdateMark(), n.SetNewTalkMark(), n.SetKeywordMark(); },
       look.tree_keyword},
  };
  for (const TCase& c : cases) {
    Room().ClearMarks();
    c.mark(Room());
    EXPECT_EQ(RolePair(RoomRow()), Expected(c.expected)) << c.name;
    EXPECT_EQ(DrawnBack(Tree(), RoomRow()), ScreenColor(c.expected.back)) << c.name;
    EXPECT_EQ(RoomRow().data(Qt::FontRole).value<QFont>().bold(), c.expected != cases[0].expected) << c.name;
  }

  World().Select(&Unit(), &Room());
  ASSERT_EQ(Tree().currentIndex(), RoomRow());
  EXPECT_EQ(DrawnBack(Tree(), RoomRow()), ScreenColor(look.tree_selected.back));
  EXPECT_EQ(Tree().palette().color(QPalette::HighlightedText), ScreenColor(look.tree_selected.text));
  EXPECT_EQ(Tree().palette().color(QPalette::Base), ScreenColor(look.tree_back_color));
}

// Self, a user group, anyone else and the selection; a nick change moves a
// member into the group that matches the new nick.
TEST_F(MainFrameColoursTest, MembersTakeTheSelfGroupPlainAndSelectedPairs) {
  Open([](TPreferences& prefs) { prefs.groups[1].masks = {"bob*!*@*"}; });
  Show();
  LogIn();
  JoinRoom();
  server_.Send(":bob!b@b.example JOIN :#room\r\n:carol!c@c.example JOIN :#room\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return Room().Members().FindMember("carol") != nullptr; }));
  QListView* list = Members();
  ASSERT_NE(list, nullptr);
  const TViewSettings& look = Look();
  const TColorPair plain{look.list_font.color, look.list_back_color};

  EXPECT_EQ(RolePair(MemberRow(*list, "a")), Expected(look.list_self));
  EXPECT_EQ(RolePair(MemberRow(*list, "bob")), Expected(look.list_groups[1]));
  EXPECT_EQ(RolePair(MemberRow(*list, "carol")), Expected(plain));
  EXPECT_EQ(DrawnBack(*list, MemberRow(*list, "bob")), ScreenColor(look.list_groups[1].back));

  list->selectionModel()->select(MemberRow(*list, "bob"), QItemSelectionModel::ClearAndSelect);
  EXPECT_EQ(DrawnBack(*list, MemberRow(*list, "bob")), ScreenColor(look.list_selected.back));

  server_.Send(":carol!c@c.example NICK :bobby\r\n:a!u@h NICK :z\r\n");
  ASSERT_TRUE(loop_.RunUntil([&] { return Room().Members().FindMember("z") != nullptr; }));
  EXPECT_EQ(RolePair(MemberRow(*list, "bobby")), Expected(look.list_groups[1]));
  EXPECT_EQ(RolePair(MemberRow(*list, "z")), Expected(look.list_self));
}

// OK in the settings dialog recolours the open tree, member list and input
// line in place.
TEST_F(MainFrameColoursTest, SettingsChangeRecoloursTheOpenPanes) {
  Open();
  Show();
  LogIn();
  JoinRoom();
  QListView* list = Members();
  ASSERT_NE(list, nullptr);
  World().Select(&Unit(), nullptr);
  Room().SetUpdateMark();

  TViewSettings& settings = app_->ViewSettings();
  settings.tree_update = {0x0000FF, 0x00FF00};
  settings.tree_back_color = 0x202020;
  settings.list_self = {0xFFFFFF, 0x800000};
  settings.edit_back_color = 0x00FFFF;
  settings.edit_font.size = 160;
  RunSettingsOk();

  EXPECT_EQ(RolePair(RoomRow()), Expected(settings.tree_update));
  EXPECT_EQ(DrawnBack(Tree(), RoomRow()), ScreenColor(0x00FF00));
  EXPECT_EQ(Tree().palette().color(QPalette::Base), ScreenColor(0x202020));
  EXPECT_EQ(RolePair(MemberRow(*list, "a")), Expected(settings.list_self));
  EXPECT_EQ(DrawnBack(*list, MemberRow(*list, "a")), ScreenColor(0x800000));
  TInputBox& input = *frame_->InputLine();
  EXPECT_EQ(input.palette().color(QPalette::Base), ScreenColor(0x00FFFF));
  EXPECT_EQ(input.palette().color(QPalette::Text), ScreenColor(settings.edit_font.color));
  EXPECT_EQ(input.font().pixelSize(), FontPixelHeight(160, ScreenDpi()));
}

}  // namespace
}  // namespace zeph
