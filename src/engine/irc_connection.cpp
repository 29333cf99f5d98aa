#include "engine/irc_connection.h"

namespace zeph {

TIrcConnection::TIrcConnection(IEventLoop& loop) : socket_(loop), timer_(loop, [this] { OnTick(); }) {
  socket_.SetListener(this);
}

TIrcConnection::~TIrcConnection() { socket_.SetListener(nullptr); }

void TIrcConnection::Connect() {
  guard_.Renew();
  ClearQueues();
  socket_.Connect();
}

void TIrcConnection::Close() {
  guard_.Renew();
  socket_.Abort();
  timer_.Stop();
  ClearQueues();
}

void TIrcConnection::ClearQueues() {
  penalty_sum_ = 0;
  bytes_in_flight_ = 0;
  sending_ = false;
  written_ = 0;
  sent_.clear();
  high_.Clear();
  normal_.Clear();
  low_.Clear();
}

void TIrcConnection::DropPending() {
  normal_.Clear();
  low_.Clear();
}

void TIrcConnection::Enqueue(const TOutgoingMessage& message, int priority) {
  if (!IsConnected()) return;
  TLineQueue& queue = QueueOf(priority);
  if (message.automatic == TAutomatic::kAnswer && !HasRoomForAnswer()) return;
  TOutgoingMessage* pong = message.automatic == TAutomatic::kPong ? queue.FindPong() : nullptr;
  if (pong) {
    // A PING needs one answer, and the server waits for the newest.
    pong->middle = message.middle;
    pong->trailing = message.trailing;
    pong->penalty = message.penalty;
  } else {
    queue.Push(message);
  }
  Flush();
}

void TIrcConnection::TLineQueue::Push(const TOutgoingMessage& message) {
  if (message.automatic == TAutomatic::kAnswer) {
    lines_.push_back(message);
    ++answers_;
  } else {
    lines_.insert(lines_.end() - static_cast<std::ptrdiff_t>(answers_), message);
  }
}

TOutgoingMessage TIrcConnection::TLineQueue::Pop() {
  if (lines_.size() == answers_) --answers_;
  TOutgoingMessage message = std::move(lines_.front());
  lines_.pop_front();
  return message;
}

TOutgoingMessage* TIrcConnection::TLineQueue::FindPong() {
  for (TOutgoingMessage& line : lines_) {
    if (line.automatic == TAutomatic::kPong) return &line;
  }
  return nullptr;
}

void TIrcConnection::TLineQueue::Clear() {
  lines_.clear();
  answers_ = 0;
}

void TIrcConnection::Flush() {
  if (!CanSend()) return;
  if (sending_) {
    if (!SendCurrent()) return;
    if (sending_ || !CanSend()) return;
  }
  for (TLineQueue* queue : {&high_, &normal_, &low_}) {
    while (!queue->Empty()) {
      if (sending_) return;
      current_ = queue->Pop();
      if (!SendCurrent() || !CanSend()) return;
    }
  }
}

bool TIrcConnection::SendCurrent() {
  if (!sending_) {
    sending_ = true;
    written_ = 0;
    current_.Compose();
  }
  const std::string& line = current_.line;
  written_ += static_cast<size_t>(
      socket_.Send(line.data() + written_, static_cast<int>(line.size() - written_)));
  if (written_ < line.size()) return true;  // the writable event continues it
  sending_ = false;
  penalty_sum_ += current_.penalty;
  bytes_in_flight_ += static_cast<int>(line.size());
  sent_.push_back(TSentLine{current_.penalty, static_cast<int>(line.size())});
  return guard_.Report(owner_, &TIrcConnectionListener::OnSent, current_).Holds();
}

// Gives back one second's worth of budget. Only the head of the sent list
// ages, so bytes drain more slowly than the penalty sum.
void TIrcConnection::OnTick() {
  if (penalty_sum_ > 0) --penalty_sum_;
  if (!sent_.empty() && --sent_.front().life <= 0) {
    bytes_in_flight_ -= sent_.front().length;
    sent_.pop_front();
    if (bytes_in_flight_ < 0) bytes_in_flight_ = 0;
  }
  Flush();
}

void TIrcConnection::OnSocketConnected(TStreamSocket&) {
  timer_.Start(kTickMs);
  if (owner_) owner_->OnConnected();
}

void TIrcConnection::OnSocketClosed(TStreamSocket&) {
  if (guard_.Report(owner_, &TIrcConnectionListener::OnClosed).Alive()) timer_.Stop();
}

void TIrcConnection::OnSocketResolved(TStreamSocket&) {
  if (owner_) owner_->OnResolved();
}

void TIrcConnection::OnSocketData(TStreamSocket&) { DeliverLines(); }

// Each line is handled completely (handlers, prints, macros) before the
// next is read; a handler may enqueue, close or reconnect meanwhile.
void TIrcConnection::DeliverLines() {
  TIrcMessage message;
  while (socket_.Length() > 0) {
    int before = socket_.Length();
    std::string_view line = socket_.ReadLine();
    // Parsed at once: the line lies in the socket's buffer, which the
    // handler of a dropped line could change.
    if (!line.empty()) message.Parse(line);
    if (socket_.TakeDroppedLine() && !guard_.Report(owner_, &TIrcConnectionListener::OnLineDropped).Holds()) return;
    if (socket_.Length() == before) break;  // the rest is an incomplete line
    if (line.empty()) continue;
    if (!guard_.Report(owner_, &TIrcConnectionListener::OnMessage, message).Holds()) return;
  }
}

void TIrcConnection::OnSocketWritable(TStreamSocket&) { Flush(); }

void TIrcConnection::OnSocketError(TStreamSocket&, int, const std::string& text) {
  if (guard_.Report(owner_, &TIrcConnectionListener::OnError, text).Alive() && !IsConnected()) timer_.Stop();
}

}  // namespace zeph
