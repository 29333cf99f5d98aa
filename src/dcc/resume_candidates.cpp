#include "dcc/resume_candidates.h"

#include <algorithm>

#include "settings/preferences.h"
#include "dcc/received_file_name.h"

namespace zeph {
namespace fs = std::filesystem;

std::vector<TResumeCandidate> FindResumeCandidates(const fs::path& folder, std::string_view cleaned_name) {
  std::vector<TResumeCandidate> found;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code entry_error;
    if (!it->is_regular_file(entry_error) || it->is_symlink(entry_error)) continue;
    std::string name = it->path().filename().string();
    if (!IsIncompleteFileOf(name, cleaned_name)) continue;
    uintmax_t size = it->file_size(entry_error);
    if (entry_error) continue;
    found.push_back({std::move(name), static_cast<int64_t>(size)});
  }
  return found;
}

std::optional<TResumeCandidate> ChooseResumeCandidate(const std::vector<TResumeCandidate>& candidates,
                                                      int64_t offered_size) {
  const TResumeCandidate* best = nullptr;
  for (const TResumeCandidate& candidate : candidates) {
    if (candidate.size <= 0 || candidate.size >= offered_size) continue;
    if (best == nullptr || candidate.size > best->size ||
        (candidate.size == best->size && candidate.disk_name < best->disk_name))
      best = &candidate;
  }
  if (best == nullptr) return std::nullopt;
  return *best;
}

bool TResumeWait::Tick(const TPreferences& preferences) {
  if (!preferences.ReceiveOnResumeFail) return false;
  ++ticks_;
  return ticks_ >= preferences.ReceiveOnResumeFailTime;
}

std::optional<int> TResumeWait::SecondsLeft(const TPreferences& preferences) const {
  if (!preferences.ReceiveOnResumeFail) return std::nullopt;
  return std::max(preferences.ReceiveOnResumeFailTime - ticks_, 0);
}

}  // namespace zeph
