// Scenes of the windows that show what the server told: the member
// information window, the user information dialog and the channel list.
// The unit speaks UTF-8, so the replies below are written as they are.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "engine/widgets/member_info_window.h"
#include "protocol/numeric_test_fixture.h"
#include "protocol/widgets/channel_list_window.h"
#include "protocol/widgets/whois_dialog.h"
#include "platform/sjis.h"
#include "screenshots/scene.h"

namespace zeph::test {
namespace {

class InfoWindowScene : public NumericTest {
 protected:
  void SetUp() override {
    config_.name = "example";
    config_.encoding = 1;
    LogIn();
    Sent();
  }
};

TEST_F(InfoWindowScene, MemberInformation) {
  Receive(":me!u@h JOIN :#雑談\n:irc.test 353 me = #雑談 :me @taro +hanako jiro saburo\n"
          ":irc.test 366 me #雑談 :End\n"
          ":irc.test 352 me #雑談 ~me client.example.jp irc.example.jp me H :0 わたし\n"
          ":irc.test 352 me #雑談 taro t1.example.jp irc.example.jp taro H@ :0 山田 太郎\n"
          ":irc.test 352 me #雑談 hana h2.example.net irc2.example.jp hanako H+ :1 花子\n"
          ":irc.test 352 me #雑談 jiro 192.0.2.7 irc.example.jp jiro G :0 Jiro Suzuki\n"
          ":irc.test 352 me #雑談 sab s.example.org irc2.example.jp saburo H :1 三郎");
  TMemberInfoWindows windows(*world_);
  TMemberInfoWindow& window = windows.Open(*unit_->FindChannel(Sjis("#雑談")));
  window.resize(640, 260);
  EXPECT_TRUE(SaveScene(window, "member-information"));
}

TEST_F(InfoWindowScene, UserInformation) {
  Receive(":irc.test 311 me taro taro localhost * :山田 太郎\n"
          ":irc.test 319 me taro :@#雑談 +#tech #news\n"
          ":irc.test 312 me taro irc.example.jp :Example IRC server\n"
          ":irc.test 313 me taro :is an IRC operator\n"
          ":irc.test 301 me taro :昼食中です\n"
          ":irc.test 317 me taro 754 1700000000 :seconds idle, signon time\n"
          ":irc.test 318 me taro :End of WHOIS list");
  ASSERT_FALSE(host_.whois_shown.empty());
  auto* dialog = new TWhoisDialog(*world_, Windows(), *host_.whois_shown.back());
  // The address field once the look-up (of a name the machine knows) ends.
  QTest::qWaitFor([&] { return !dialog->Field(TWhoisDialog::Address).text().endsWith("..."); }, 5000);
  EXPECT_TRUE(SaveScene(*dialog, "whois-dialog"));
  dialog->close();
}

TEST_F(InfoWindowScene, ChannelList) {
  TChannelListModel* model = Windows().OpenChannelList(*unit_);
  ASSERT_NE(model, nullptr);
  TChannelListWindow window(*world_, Windows(), *model, unit_->Name());
  Receive(":irc.test 322 me #雑談 42 :週末のオフ会について\n"
          ":irc.test 322 me #tech 17 :C++20 と Qt 6 の話\n"
          ":irc.test 322 me #news 120 :今日のニュース\n"
          ":irc.test 322 me #music 8 :好きな曲を貼るチャンネル\n"
          ":irc.test 322 me #help 5 :使い方の質問はこちら\n"
          ":irc.test 323 me :End of LIST");
  window.resize(560, 300);
  EXPECT_TRUE(SaveScene(window, "channel-list"));
}

}  // namespace
}  // namespace zeph::test
