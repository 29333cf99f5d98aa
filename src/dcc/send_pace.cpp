#include "dcc/send_pace.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "settings/preferences.h"

namespace zeph {
namespace {

constexpr int64_t kKilobyte = 1024;
constexpr int64_t kDefaultPiece = 4 * kKilobyte;
constexpr int64_t kSmallestSetPieceKb = 4;
constexpr int64_t kLargestPiece = 16 * kKilobyte * kKilobyte;

}  // namespace

TSendPace TSendPace::From(const TPreferences& preferences) {
  TSendPace pace;
  if (preferences.EnableSendBufferSize && preferences.SendBufferSize >= kSmallestSetPieceKb)
    pace.piece_bytes = std::min(preferences.SendBufferSize * kKilobyte, kLargestPiece);
  if (preferences.EnableMaxOutgoingBandwidth)
    pace.tick_budget = std::max<int64_t>(preferences.MaxOutgoingBandwidth, 0) * kKilobyte;
  return pace;
}

int64_t TTickBudget::NextPiece(const TSendPace& pace, int64_t bytes_left) const {
  int64_t piece = std::min(bytes_left, pace.piece_bytes);
  if (pace.tick_budget >= 0) piece = std::min(piece, pace.tick_budget - sent_);
  return std::max<int64_t>(piece, 0);
}

int64_t TTickBudget::EndTick() { return std::exchange(sent_, 0); }

void TSpeedSamples::Push(int64_t bytes) {
  if (pushed_ == 0 && bytes == 0) return;
  samples_[static_cast<size_t>(pushed_ % kSamples)] = bytes;
  ++pushed_;
}

double TSpeedSamples::BytesPerSecond() const {
  if (pushed_ == 0) return 0;
  int64_t held = std::min<int64_t>(pushed_, kSamples);
  int64_t sum = std::accumulate(samples_.begin(), samples_.begin() + held, int64_t{0});
  return static_cast<double>(sum) / static_cast<double>(held);
}

}  // namespace zeph
