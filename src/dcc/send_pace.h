#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// How fast a send may go: the size of each piece handed to the socket and
// the bytes one tick of a second may send, and the speed samples the DCC
// window shows.
namespace zeph {

struct TPreferences;

struct TSendPace {
  // SendBufferSize KB when EnableSendBufferSize is on and it exceeds 3,
  // else 4 KB; at most 16 MiB, so a mistyped size never asks for more
  // memory than a piece can use.
  int64_t piece_bytes = 4096;
  // MaxOutgoingBandwidth KB with EnableMaxOutgoingBandwidth, else
  // unlimited (below 0).
  int64_t tick_budget = -1;

  static TSendPace From(const TPreferences& preferences);
};

// The bytes a send has written in the current tick.
class TTickBudget {
 public:
  // The next piece to read and write: at most the bytes left, the piece
  // size and what the tick's budget still allows. 0 means stop for now.
  int64_t NextPiece(const TSendPace& pace, int64_t bytes_left) const;
  void Sent(int64_t bytes) { sent_ += bytes; }
  // Ends the tick and renews the budget; returns the tick's bytes.
  int64_t EndTick();

 private:
  int64_t sent_ = 0;
};

// The bytes moved in the last ten ticks of a transfer. Ticks are counted
// from the first one that moved data; after that every tick counts, idle
// ones too.
class TSpeedSamples {
 public:
  void Push(int64_t bytes);
  // The average over the samples held; 0 without any.
  double BytesPerSecond() const;

 private:
  static constexpr size_t kSamples = 10;
  std::array<int64_t, kSamples> samples_{};
  int64_t pushed_ = 0;
};

}  // namespace zeph
