#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Resuming a receive: which partial file to go on with, and how long to
// wait for the sender's answer.
namespace zeph {

struct TPreferences;

// Said when no partial file can be resumed.
inline constexpr const char* kNoResumeCandidateText = "レジューム対象のファイルがありません";

// A partial file found in the receive folder.
struct TResumeCandidate {
  std::string disk_name;  // UTF-8
  int64_t size = 0;

  bool operator==(const TResumeCandidate&) const = default;
};

// The partial files of a cleaned offered name in a folder: regular files
// only (a symbolic link is never written through), in no set order. None
// when the folder cannot be read.
std::vector<TResumeCandidate> FindResumeCandidates(const std::filesystem::path& folder,
                                                   std::string_view cleaned_name);

// The candidate to resume an offer of `offered_size` bytes with: the
// largest with a size above 0 and below the offered size (a tie goes to
// the name that sorts first). The caller leaves out files that are open
// elsewhere. Nothing when none qualifies (report kNoResumeCandidateText).
std::optional<TResumeCandidate> ChooseResumeCandidate(const std::vector<TResumeCandidate>& candidates,
                                                      int64_t offered_size);

// The wait for the sender's answer to a resume request. With
// ReceiveOnResumeFail on, the receive starts over as a normal one once
// ReceiveOnResumeFailTime ticks have passed unanswered.
class TResumeWait {
 public:
  // One second passed without an answer; true when it is time to start
  // over.
  bool Tick(const TPreferences& preferences);
  // The seconds left, shown as "(残り%d秒)"; nothing while the wait has
  // no end.
  std::optional<int> SecondsLeft(const TPreferences& preferences) const;

 private:
  int ticks_ = 0;
};

}  // namespace zeph
