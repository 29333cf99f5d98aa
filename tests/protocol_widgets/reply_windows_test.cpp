// The windows of the reply models: the WHOIS dialog, the channel list and
// a mask list, driven by server replies.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QPointer>
#include <QTest>
#include <QTreeView>

#include "platform/qt/qt_text.h"
#include "protocol/numeric_test_fixture.h"
#include "protocol/widgets/channel_list_window.h"
#include "protocol/widgets/mask_list_window.h"
#include "protocol/widgets/whois_dialog.h"

namespace zeph {
namespace {

class ReplyWindowsTest : public test::NumericTest {
 protected:
  void SetUp() override {
    LogIn();
    Sent();
  }
  TWhoisDialog& Whois(const std::string& channels) {
    Receive(":irc.test 311 me Bob ~b 127.0.0.1 * :Bob Builder\n"
            ":irc.test 319 me Bob :" + channels + "\n"
            ":irc.test 312 me Bob irc.test :Test server\n"
            ":irc.test 318 me Bob :End of WHOIS list");
    EXPECT_EQ(host_.whois_shown.size(), 1u);
    return *new TWhoisDialog(*world_, Windows(), *host_.whois_shown.back());
  }
};

TEST_F(ReplyWindowsTest, WhoisDialogShowsEveryFieldAndTheOperatorMark) {
  TWhoisDialog& dialog = Whois("@#chan +#two");
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Bob のユーザ情報"));
  EXPECT_EQ(dialog.Field(TWhoisDialog::Nick).text(), "Bob");
  EXPECT_EQ(dialog.Field(TWhoisDialog::User).text(), "~b");
  EXPECT_EQ(dialog.Field(TWhoisDialog::Realname).text(), "Bob Builder");
  EXPECT_EQ(dialog.Field(TWhoisDialog::Server).text(), "irc.test / Test server");
  EXPECT_EQ(dialog.Field(TWhoisDialog::Address).text(), "127.0.0.1");  // an address needs no look-up

  Receive(":irc.test 313 me Bob :is an IRC operator");
  EXPECT_EQ(dialog.Field(TWhoisDialog::Nick).text(), "Bob (IRC Operator)");
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Bob のユーザ情報"));
  dialog.close();
  EXPECT_EQ(Windows().OpenWhoisCount(), 0);
}

TEST_F(ReplyWindowsTest, JoinDropsOneStatusMarkAndNeedsAnEntry) {
  TWhoisDialog& dialog = Whois("@#chan +#two +@#three");
  ASSERT_EQ(dialog.ChannelBox().count(), 3);
  EXPECT_TRUE(dialog.JoinButton().isEnabled());
  dialog.JoinButton().click();
  dialog.ChannelBox().setCurrentIndex(1);
  dialog.JoinButton().click();
  dialog.ChannelBox().setCurrentIndex(2);
  dialog.JoinButton().click();
  EXPECT_TRUE(SentIs({"JOIN #chan", "JOIN #two", "JOIN @#three"}));
  dialog.close();

  Receive(":irc.test 311 me Ann ~a a.example * :Ann\n:irc.test 318 me Ann :End");
  TWhoisDialog empty(*world_, Windows(), *host_.whois_shown.back());
  EXPECT_FALSE(empty.JoinButton().isEnabled());
}

TEST_F(ReplyWindowsTest, ADialogWhoseUnitClosedDoesNothing) {
  TWhoisDialog& dialog = Whois("#chan");
  QPointer<TWhoisDialog> alive(&dialog);
  Windows().CloseUnit(*unit_);
  EXPECT_EQ(dialog.Model(), nullptr);
  dialog.Refresh();
  dialog.JoinSelected();
  dialog.Talk();
  EXPECT_TRUE(Sent().empty());
}

TEST_F(ReplyWindowsTest, ChannelListFillsSortsAndJoins) {
  TChannelListModel* model = Windows().OpenChannelList(*unit_);
  ASSERT_NE(model, nullptr);
  TChannelListWindow window(*world_, Windows(), *model, unit_->Name());
  EXPECT_EQ(window.windowTitle(), ToQString(TChannelListModel::Title(unit_->Name())));
  EXPECT_GE(window.minimumWidth(), 480);
  Receive(":irc.test 322 me #small 2 :b topic\n:irc.test 322 me #big 40 :a topic\n:irc.test 323 me :End");
  QAbstractItemModel& items = window.Items();
  ASSERT_EQ(items.rowCount(), 2);
  EXPECT_EQ(items.index(0, 0).data().toString(), "#big");  // larger first
  EXPECT_EQ(items.index(0, 1).data().toString(), "40");

  window.View().header()->sectionClicked(2);  // topic, ascending
  EXPECT_EQ(items.index(0, 2).data().toString(), "a topic");
  window.View().header()->sectionClicked(0);
  EXPECT_EQ(items.index(0, 0).data().toString(), "#big");

  window.View().setCurrentIndex(items.index(1, 0));
  window.JoinSelected();
  window.Refresh();
  EXPECT_TRUE(SentIs({"JOIN #small", "LIST"}));
  window.close();
  EXPECT_EQ(Windows().ChannelList(*unit_), nullptr);
}

TEST_F(ReplyWindowsTest, MaskListFollowsTheRepliesAndModes) {
  Receive(":me!u@h JOIN :#c\n:irc.test 353 me = #c :@me\n:irc.test 366 me #c :End");
  TChannel* channel = unit_->FindChannel("#c");
  ASSERT_NE(channel, nullptr);
  TMaskListModel* model = Windows().OpenMaskList(*unit_, *channel, TMaskListKind::Ban);
  ASSERT_NE(model, nullptr);
  TMaskListWindow window(Windows(), *model, "#c", unit_->Name());
  Receive(":irc.test 367 me #c *!*@bad.example me 0\n:irc.test 368 me #c :End");
  ASSERT_EQ(window.Items().rowCount(), 1);
  EXPECT_EQ(window.Items().index(0, 0).data().toString(), "*!*@bad.example");
  Receive(":me!u@h MODE #c -b *!*@bad.example");
  EXPECT_EQ(window.Items().rowCount(), 0);
  window.close();
  EXPECT_EQ(Windows().FindMaskList(*unit_, *channel, TMaskListKind::Ban), nullptr);
}

}  // namespace
}  // namespace zeph
