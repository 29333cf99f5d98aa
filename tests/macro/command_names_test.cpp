#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "macro/command_names.h"

namespace zeph {
namespace {

TEST(CommandNamesTest, NamesInAnyLetterCase) {
  using C = TMainCommand;
  const std::pair<std::string, std::optional<C>> cases[] = {
      {"nick", C::Nick},
      {"Nick", C::Nick},
      {"NICK", C::Nick},
      {"dcc", C::Dcc},
      {"DccSend", C::Dcc},
      {"quickquit", C::ConnectCancel},
      {"joinframe", C::Join},
      {"keepframepart", C::QuickPart},
      {"part", C::Part},
      {"Mode-I", C::InviteList},
      {"keywordforward", C::KeywordHistory},
      {"view", C::Setup},
      {"togglemainmenu", C::MainMenu},
      {"operatorlist", C::OperatorList},
      {"serveroperatorlist", C::ServerOperatorList},
      {"selectall", C::SelectAll},
      {"whois", C::Whois},
      {"exit", std::nullopt},
      {"", std::nullopt},
      {"nick ", std::nullopt},
  };
  for (const auto& [name, command] : cases) EXPECT_EQ(LookupCommand(name), command) << name;
}

TEST(CommandNamesTest, EveryCommandIsListedOnceInItsOrderUnderANameThatRunsIt) {
  int index = 0;
  for (const TMainCommandInfo& info : MainCommands()) {
    EXPECT_EQ(static_cast<int>(info.command), index++) << info.name;
    EXPECT_EQ(&MainCommandInfo(info.command), &info);
    EXPECT_EQ(LookupCommand(info.name), info.command) << info.name;
  }
  EXPECT_EQ(index, static_cast<int>(TMainCommand::SendAction) + 1);
  EXPECT_EQ(MainCommands().front().name, "Dcc");
  EXPECT_EQ(MainCommands()[5].name, "Connect");
  EXPECT_EQ(MainCommandInfo(TMainCommand::Nick).menu_text, "ニックネーム変更(&N)...");
  EXPECT_EQ(MainCommandInfo(TMainCommand::ChannelOperatorList).menu_text, "自動オペレータの設定(&O)...");
}

}  // namespace
}  // namespace zeph
