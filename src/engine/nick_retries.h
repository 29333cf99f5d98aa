#pragma once

#include <string>
#include <utility>

namespace zeph {

// The nicks that nick-in-use retries are built from. The user's choice is
// the base; each refusal turns the nick last requested into the next one to
// try, with underscores or with a counted number.
class TNickRetries {
 public:
  explicit TNickRetries(const std::string& nick) : base_(nick), requested_(nick), previous_base_(nick) {}

  const std::string& Base() const { return base_; }
  // The nick last asked for, by the user or by a retry.
  const std::string& Requested() const { return requested_; }

  // A session registers with this nick: the retries start again from it.
  void StartFrom(const std::string& nick) {
    base_ = requested_ = nick;
    number_ = 0;
  }
  // The user asked for a nick; one to remember becomes the new base.
  void UserAsked(const std::string& nick, bool remember) {
    requested_ = nick;
    if (!remember) return;
    previous_base_ = std::exchange(base_, nick);
    number_ = 0;
  }
  // The server refused the user's choice and kept our nick: the choice
  // goes back.
  void RevertChoice() {
    base_ = previous_base_;
    number_ = 0;
  }
  // A retry asks for this nick next.
  void Request(std::string nick) { requested_ = std::move(nick); }
  // The number the next numbered retry appends; each call counts up.
  int TakeNumber() { return number_++; }

 private:
  std::string base_;
  std::string requested_;
  std::string previous_base_;
  int number_ = 0;
};

}  // namespace zeph
