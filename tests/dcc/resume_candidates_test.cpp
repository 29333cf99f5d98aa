#include "dcc/resume_candidates.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "settings/preferences.h"
#include "support/temp_dir.h"

namespace zeph {
namespace {
namespace fs = std::filesystem;
using ::testing::UnorderedElementsAre;

class ResumeCandidatesTest : public ::testing::Test {
 protected:
  void Write(const std::string& name, size_t size) { std::ofstream(dir_.Path() / name) << std::string(size, 'x'); }

  std::optional<TResumeCandidate> Choose(int64_t offered_size) {
    return ChooseResumeCandidate(FindResumeCandidates(dir_.Path(), "a.txt"), offered_size);
  }

  test::TTempDir dir_;
};

TEST_F(ResumeCandidatesTest, TheLargestPartialFileBelowTheOfferedSizeWins) {
  Write("_incomplete_a.txt", 500);
  Write("_incomplete_a_00.txt", 900);
  Write("_incomplete_b.txt", 950);
  Write("a.txt", 990);
  EXPECT_EQ(Choose(1000), (TResumeCandidate{"_incomplete_a_00.txt", 900}));
  EXPECT_EQ(Choose(901), (TResumeCandidate{"_incomplete_a_00.txt", 900}));
  EXPECT_EQ(Choose(900), (TResumeCandidate{"_incomplete_a.txt", 500}));
  EXPECT_EQ(Choose(500), std::nullopt);
}

TEST_F(ResumeCandidatesTest, FullEmptyLinkedAndMissingFilesAreNoCandidates) {
  Write("_incomplete_a.txt", 1000);
  Write("_incomplete_a_01.txt", 0);
  Write("elsewhere", 700);
  fs::create_symlink(dir_.Path() / "elsewhere", dir_.Path() / "_incomplete_a_02.txt");
  fs::create_directory(dir_.Path() / "_incomplete_a_03.txt");
  EXPECT_THAT(FindResumeCandidates(dir_.Path(), "a.txt"),
              UnorderedElementsAre(TResumeCandidate{"_incomplete_a.txt", 1000},
                                   TResumeCandidate{"_incomplete_a_01.txt", 0}));
  EXPECT_EQ(Choose(1000), std::nullopt);
  EXPECT_TRUE(FindResumeCandidates(dir_.Path() / "missing", "a.txt").empty());
}

TEST(ResumeCandidates, EqualSizesGoToTheFirstName) {
  std::vector<TResumeCandidate> candidates = {{"_incomplete_a_01.txt", 10}, {"_incomplete_a_00.txt", 10}};
  EXPECT_EQ(ChooseResumeCandidate(candidates, 20)->disk_name, "_incomplete_a_00.txt");
}

TEST(ResumeWait, AnUnansweredRequestGivesWayToANormalReceive) {
  TPreferences prefs;
  prefs.ReceiveOnResumeFailTime = 10;
  TResumeWait wait;
  EXPECT_EQ(wait.SecondsLeft(prefs), 10);
  for (int tick = 1; tick < 10; ++tick) ASSERT_FALSE(wait.Tick(prefs)) << tick;
  EXPECT_EQ(wait.SecondsLeft(prefs), 1);
  EXPECT_TRUE(wait.Tick(prefs));

  // Without the switch the wait has no end; a time of 0 ends it at once.
  prefs.ReceiveOnResumeFail = false;
  TResumeWait endless;
  for (int tick = 0; tick < 100; ++tick) ASSERT_FALSE(endless.Tick(prefs));
  EXPECT_EQ(endless.SecondsLeft(prefs), std::nullopt);
  prefs.ReceiveOnResumeFail = true;
  prefs.ReceiveOnResumeFailTime = 0;
  EXPECT_TRUE(TResumeWait().Tick(prefs));
}

}  // namespace
}  // namespace zeph
