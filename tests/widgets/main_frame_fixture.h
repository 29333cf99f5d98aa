#pragma once

// A real application object with one server "a" on a scripted peer, and its
// main window.
#include <gtest/gtest.h>

#include <QAction>
#include <functional>
#include <memory>

#include "app/application.h"
#include "app/widgets/main_frame.h"
#include "engine/channel.h"
#include "platform/poll_loop.h"
#include "settings/tree_file.h"
#include "support/loopback_peer.h"
#include "support/temp_dir.h"

namespace zeph::test {

class MainFrameTest : public testing::Test {
 protected:
  test::TTempDir home_;
  TPollLoop loop_;
  test::TLoopbackPeer server_{loop_};
  TAppFolders folders_ = TAppFolders::Setup(home_.Path(), "taro", "");
  std::unique_ptr<TApplication> app_;
  std::unique_ptr<CMainFrame> frame_;
  int asked_ = 0;
  bool answer_ = true;
  std::function<void()> while_asking_;

  ~MainFrameTest() override {
    frame_.reset();
    app_.reset();
  }

  // A profile with one server "a" on the scripted peer, and its window.
  void Open(const std::function<void(TPreferences&)>& prefs = nullptr) {
    TWorldConfig tree;
    TServerConfig unit;
    unit.name = "a";
    unit.hostname = "127.0.0.1";
    unit.port = server_.Port();
    unit.nick = "a";
    unit.channels.push_back(NewChannelConfig("#room", false));
    tree.units.push_back(unit);
    folders_.CreateAll();
    ASSERT_TRUE(SaveTree(folders_.config / "tree.ini", tree));
    app_ = std::make_unique<TApplication>(loop_, folders_);
    app_->LoadAllSettings();
    app_->Preferences().Installed = true;
    if (prefs) prefs(app_->Preferences());
    app_->CreateWorld();
    frame_ = std::make_unique<CMainFrame>(*app_);
    frame_->confirm = [this](const QString&, const QString& caption) {
      EXPECT_EQ(caption, QString::fromUtf8("確認"));
      ++asked_;
      return answer_;
    };
    frame_->ask_text = [this](const QString&, const QString&, const QString& text, bool* ok) {
      ++asked_;
      if (while_asking_) while_asking_();
      *ok = answer_;
      return text.isEmpty() ? QStringLiteral("x") : text;
    };
    frame_->ApplyLayout();
    app_->Start({});
    World().Select(&Unit(), nullptr);
  }

  TWorld& World() { return app_->World(); }
  TUnit& Unit() { return *World().Units().front(); }
  TChannel& Room() { return *Unit().FindChannel("#room"); }
  QAction* Item(const char* command) { return frame_->Action(command); }

  void LogIn() {
    Unit().Connect();
    ASSERT_TRUE(server_.WaitFor("USER "));
    server_.Send(":irc.test 001 a :Welcome\r\n");
    ASSERT_TRUE(loop_.RunUntil([&] { return Unit().IsLoggedIn(); }));
  }
  void JoinRoom() {
    server_.Send(":a!u@h JOIN :#room\r\n");
    ASSERT_TRUE(loop_.RunUntil([&] { return Room().IsJoined(); }));
    World().Select(&Unit(), &Room());
  }
  // Enabled, then its text, of each item.
  std::vector<std::pair<bool, QString>> Items(std::initializer_list<const char*> commands) {
    frame_->UpdateActions();
    std::vector<std::pair<bool, QString>> items;
    for (const char* command : commands) items.emplace_back(Item(command)->isEnabled(), Item(command)->text());
    return items;
  }
};

}  // namespace zeph::test
