#pragma once

#include <deque>
#include <string>

#include "engine/irc_message.h"
#include "net/proxy_socket.h"
#include "platform/event_loop.h"
#include "platform/life_guard.h"

namespace zeph {

// What an IRC connection reports to its unit.
class TIrcConnectionListener {
 public:
  virtual ~TIrcConnectionListener() = default;
  virtual void OnConnected() {}
  virtual void OnClosed() {}
  virtual void OnResolved() {}
  virtual void OnMessage(TIrcMessage& message) {}
  virtual void OnSent(TOutgoingMessage& message) {}
  virtual void OnError(const std::string& text) {}
  // The server sent a line longer than the receive bound; it was dropped.
  virtual void OnLineDropped() {}
};

// One unit's connection to its server: received bytes become messages, and
// outgoing commands wait in three priority queues until the server's flood
// limits allow them. A penalty budget and a bytes-in-flight budget are
// spent by every line written and given back by a one-second timer.
//
// Lines the client sends on its own are bounded, so a flood of PINGs or
// CTCP queries costs a few lines, never a backlog: only the newest PONG
// waits (a later PING's answer takes the place of an earlier one's), at
// most kMaxWaitingAnswers other automatic answers wait (more are refused),
// and within its queue a command of the user goes before the automatic
// answers that are still waiting there.
class TIrcConnection final : private TSocketListener {
 public:
  static constexpr int kMaxPenaltySum = 10;
  static constexpr int kMaxBytesInFlight = 600;
  static constexpr int kTickMs = 1000;
  static constexpr size_t kMaxWaitingAnswers = 8;

  explicit TIrcConnection(IEventLoop& loop);
  ~TIrcConnection() override;

  void SetOwner(TIrcConnectionListener* owner) { owner_ = owner; }
  TProxySocket& Socket() { return socket_; }

  void Connect();
  // Closes without a report and forgets everything queued.
  void Close();
  // Queues a copy: priority > 0 high, 0 normal, < 0 low. Dropped silently
  // while not connected, and an automatic answer while kMaxWaitingAnswers
  // already wait.
  void Enqueue(const TOutgoingMessage& message, int priority);
  // Whether an automatic answer queued now would be kept.
  bool HasRoomForAnswer() const { return WaitingAnswers() < kMaxWaitingAnswers; }
  bool IsConnected() const { return socket_.IsConnected(); }
  void ClearQueues();
  // Forgets the normal and low queues; what is urgent or already under way
  // stays. Used before the final QUIT.
  void DropPending();

  int PenaltySum() const { return penalty_sum_; }
  int BytesInFlight() const { return bytes_in_flight_; }
  bool IsSending() const { return sending_; }
  size_t QueuedCount() const { return high_.Size() + normal_.Size() + low_.Size(); }

 private:
  // One priority's lines in sending order: the automatic answers always
  // last, behind every other line.
  class TLineQueue {
   public:
    void Push(const TOutgoingMessage& message);
    TOutgoingMessage Pop();
    // The waiting PONG, if there is one.
    TOutgoingMessage* FindPong();
    void Clear();
    bool Empty() const { return lines_.empty(); }
    size_t Size() const { return lines_.size(); }
    size_t Answers() const { return answers_; }

   private:
    std::deque<TOutgoingMessage> lines_;
    size_t answers_ = 0;
  };

  // A written line still counted in flight.
  struct TSentLine {
    int life;    // seconds left; starts as the line's penalty
    int length;  // with CR LF
  };

  bool CanSend() const { return penalty_sum_ <= kMaxPenaltySum && bytes_in_flight_ <= kMaxBytesInFlight; }
  TLineQueue& QueueOf(int priority) { return priority > 0 ? high_ : priority == 0 ? normal_ : low_; }
  size_t WaitingAnswers() const { return high_.Answers() + normal_.Answers() + low_.Answers(); }
  void Flush();
  // False when the owner's report destroyed or reset this connection.
  bool SendCurrent();
  void OnTick();
  void DeliverLines();

  void OnSocketConnected(TStreamSocket&) override;
  void OnSocketClosed(TStreamSocket&) override;
  void OnSocketResolved(TStreamSocket&) override;
  void OnSocketData(TStreamSocket&) override;
  void OnSocketWritable(TStreamSocket&) override;
  void OnSocketError(TStreamSocket&, int kind, const std::string& text) override;

  TIrcConnectionListener* owner_ = nullptr;
  TProxySocket socket_;
  TTimer timer_;
  TOutgoingMessage current_;
  bool sending_ = false;
  size_t written_ = 0;
  TLineQueue high_;
  TLineQueue normal_;
  TLineQueue low_;
  std::deque<TSentLine> sent_;
  int penalty_sum_ = 0;
  int bytes_in_flight_ = 0;
  // Renewed by Connect and Close, so a loop over lines or queues stops when
  // a report inside it ended the connection.
  TLifeGuard guard_;
};

}  // namespace zeph
