// The member information window follows its channel's members, asks for
// their details again and saves them.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTreeView>
#include <fstream>
#include <sstream>

#include "display/widgets/log_file_commands.h"
#include "display/widgets/screen_look.h"
#include "engine/channel.h"
#include "engine/widgets/member_detail_model.h"
#include "engine/widgets/member_info_window.h"
#include "platform/qt/qt_text.h"
#include "platform/sjis.h"
#include "protocol/numeric_test_fixture.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {

class MemberInfoWindowTest : public test::NumericTest {
 protected:
  void SetUp() override {
    LogIn();
    Receive(":me!u@h JOIN :#a/b\n:irc.test 353 me = #a/b :me @bob\n:irc.test 366 me #a/b :End\n"
            ":irc.test 352 me #a/b ~b b.example irc.test bob H@ :0 Bob Builder");
    Sent();
    channel_ = unit_->FindChannel("#a/b");
    ASSERT_NE(channel_, nullptr);
    registry_ = std::make_unique<TMemberInfoWindows>(*world_);
  }
  void TearDown() override { registry_.reset(); }
  QString Cell(TMemberInfoWindow& window, int row, int column) {
    return window.Model().index(row, column).data().toString();
  }

  TChannel* channel_ = nullptr;
  std::unique_ptr<TMemberInfoWindows> registry_;
};

TEST_F(MemberInfoWindowTest, ShowsSixColumnsAndFollowsTheMembers) {
  TMemberInfoWindow& window = registry_->Open(*channel_);
  EXPECT_EQ(&registry_->Open(*channel_), &window);  // one per channel
  EXPECT_EQ(window.windowTitle(), ToQString("#a/b" + Sjis(" のメンバ情報 - ") + unit_->Name()));
  ASSERT_EQ(window.Model().columnCount(), 6);
  EXPECT_EQ(window.Model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("ニックネーム"));
  ASSERT_EQ(window.Model().rowCount(), 2);
  EXPECT_EQ(Cell(window, 0, 0), "@");
  EXPECT_EQ(Cell(window, 0, 1), "bob");
  EXPECT_EQ(Cell(window, 0, 3), "b.example");
  EXPECT_EQ(Cell(window, 0, 4), "Bob Builder");
  EXPECT_EQ(Cell(window, 0, 5), "irc.test");

  Receive(":carol!c@c.example JOIN :#a/b");
  EXPECT_EQ(window.Model().rowCount(), 3);
  Receive(":bob!b@b.example PART #a/b");
  EXPECT_EQ(window.Model().rowCount(), 2);

  window.Refresh();
  EXPECT_TRUE(SentIs({"WHO #a/b"}));
  window.WhoisAt(0);
  EXPECT_EQ(Sent().size(), 1u);

  // The channel goes: the window closes and shows nothing.
  registry_->TargetRemoved(*channel_);
  EXPECT_EQ(window.Model().rowCount(), 0);
}

// Answers the save command's questions and records them.
class TAnswers : public TLogFileQuestions {
 public:
  std::filesystem::path target;
  QString proposed;
  int confirmations = 0;
  QStringList failures;
  std::optional<std::filesystem::path> AskSavePath(QWidget*, const QString& name) override {
    proposed = name;
    return target;
  }
  bool Confirm(QWidget*, const QString&) override { return ++confirmations, false; }
  void Failed(QWidget*, const QString& text) override { failures << text; }
};

TEST_F(MemberInfoWindowTest, SavesUnderTheProposedNameAndSaysWhenItCannot) {
  TMemberInfoWindow& window = registry_->Open(*channel_);
  test::TTempDir dir;
  TAnswers answers;
  answers.target = dir.Path() / "out.txt";
  window.questions = &answers;

  window.SaveToFile();
  EXPECT_EQ(answers.proposed, "#a_b-members.txt");
  std::ifstream in(answers.target, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "bob\t~b\tb.example\tirc.test\tBob Builder\r\nme\tu\th\t\t\r\n");

  window.SaveToFile();  // exists, and the question is declined
  EXPECT_EQ(answers.confirmations, 1);

  answers.target = dir.Path() / "missing" / "out.txt";
  window.SaveToFile();
  EXPECT_EQ(answers.failures, QStringList{QStringLiteral("ファイルを開けませんでした")});
}

TEST_F(MemberInfoWindowTest, ClosingGivesBackThePlaceAndTheColumnWidths) {
  TWindowEntry stored;
  registry_->prepare = [&](TMemberInfoWindow& window) {
    window.ApplyGeometry({TWindowRect::At(10, 20, 500, 300), {30, 90, 80, 120, 100, 110}});
    window.store_geometry = [&](const TWindowEntry& geometry) { stored = geometry; };
  };
  TMemberInfoWindow& window = registry_->Open(*channel_);
  window.close();
  EXPECT_EQ(stored.rect.Width(), 500);
  EXPECT_EQ(stored.rect.Height(), 300);
  EXPECT_EQ(stored.header, (std::vector<int>{30, 90, 80, 120, 100, 110}));
}

// The member list's font and colours of the view settings, followed when
// they change, in open windows and new ones.
TEST_F(MemberInfoWindowTest, TakesTheMemberListLookAndFollowsItsChanges) {
  auto look_of = [](int size, std::uint32_t text, std::uint32_t back) {
    TViewSettings settings;
    settings.list_font.size = size;
    settings.list_font.color = text;
    settings.list_back_color = back;
    settings.list_selected = {0x00FF00, 0x800000};
    return ApplyViewSettings(settings, {}, false, 96);
  };
  auto first = look_of(140, 0x0000FF, 0x302010);
  registry_->SetLook(first);
  TMemberInfoWindow& window = registry_->Open(*channel_);
  const QPalette& palette = window.View().palette();
  EXPECT_EQ(palette.color(QPalette::Base), QColor(0x10, 0x20, 0x30));
  EXPECT_EQ(palette.color(QPalette::Text), QColor(0xFF, 0, 0));
  EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::Highlight), QColor(0, 0, 0x80));
  EXPECT_EQ(palette.color(QPalette::HighlightedText), QColor(0, 0xFF, 0));
  EXPECT_EQ(window.View().font(), first->ListFont());

  auto second = look_of(90, 0x000000, 0xFFFFFF);
  registry_->SetLook(second);
  EXPECT_EQ(window.View().font(), second->ListFont());
  EXPECT_EQ(window.View().palette().color(QPalette::Base), QColor(Qt::white));
}

}  // namespace
}  // namespace zeph
