#include "display/widgets/log_file_commands.h"

#include <fstream>
#include <sstream>

#include "display_widgets/log_view_fixture.h"
#include "support/temp_dir.h"

namespace zeph::test {
namespace {

class ScriptedQuestions : public TLogFileQuestions {
 public:
  std::optional<std::filesystem::path> AskSavePath(QWidget*, const QString& proposed) override {
    asked.push_back("save " + proposed.toStdString());
    return path;
  }
  bool Confirm(QWidget*, const QString& text) override {
    asked.push_back("confirm " + text.toStdString());
    return answer;
  }
  void Failed(QWidget*, const QString& text) override { asked.push_back("failed " + text.toStdString()); }

  std::optional<std::filesystem::path> path;
  bool answer = true;
  std::vector<std::string> asked;
};

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

using LogFileCommandsTest = LogViewTest;

TEST_F(LogFileCommandsTest, SaveProposesANameAndAsksBeforeOverwriting) {
  TTempDir dir;
  ScriptedQuestions questions;
  questions.path = dir.Path() / "saved.txt";
  EXPECT_FALSE(SaveLogToFile(*view_, "#a/b", QDate(2026, 1, 2), questions));
  EXPECT_TRUE(questions.asked.empty()) << "an empty log is not saved";

  Add("こんにちは");
  ASSERT_TRUE(SaveLogToFile(*view_, "#a/b", QDate(2026, 1, 2), questions));
  EXPECT_EQ(questions.asked, std::vector<std::string>{"save #a_b-20260102.txt"});
  EXPECT_EQ(FileBytes(*questions.path), Sjis("こんにちは") + "\r\n");

  Add("second");
  questions.asked.clear();
  questions.answer = false;
  EXPECT_FALSE(SaveLogToFile(*view_, "#a/b", QDate(2026, 1, 2), questions));
  EXPECT_EQ(questions.asked.back(), "confirm 既存のファイルを上書きします");
  EXPECT_EQ(FileBytes(*questions.path), Sjis("こんにちは") + "\r\n");
  questions.answer = true;
  EXPECT_TRUE(SaveLogToFile(*view_, "#a/b", QDate(2026, 1, 2), questions));
  EXPECT_EQ(FileBytes(*questions.path), Sjis("こんにちは") + "\r\nsecond\r\n");

  questions.path = dir.Path() / "no such folder" / "x.txt";
  EXPECT_FALSE(SaveLogToFile(*view_, "#a", QDate(2026, 1, 2), questions));
  EXPECT_EQ(questions.asked.back(), "failed ファイルを開けませんでした");
}

TEST_F(LogFileCommandsTest, ClearAsksFirst) {
  AddNumbered(3);
  ScriptedQuestions questions;
  questions.answer = false;
  EXPECT_FALSE(ClearLog(*view_, questions));
  EXPECT_EQ(store_.Count(), 3u);
  questions.answer = true;
  EXPECT_TRUE(ClearLog(*view_, questions));
  EXPECT_EQ(questions.asked.back(), "confirm ログを消去します");
  EXPECT_EQ(store_.Count(), 0u);
  EXPECT_TRUE(view_->IsAtEnd());
}

}  // namespace
}  // namespace zeph::test
