#pragma once

#include <memory>
#include <string>
#include <vector>

#include "protocol/protocol.h"
#include "support/session_fixture.h"

namespace zeph::test {

// The window layer as the reply handlers see it: records what it is asked
// to show and keeps the models it was given.
class TFakeWindowHost : public TReplyWindowHost {
 public:
  std::vector<TWhoisModel*> whois_shown;
  std::vector<TChannelListModel*> lists_shown;
  std::vector<TMaskListModel*> mask_lists_shown;
  int nick_questions = 0;
  TNickQuestion question;
  TNickAnswerCallback answer;

  void ShowWhoisDialog(TUnit&, TWhoisModel& model) override { whois_shown.push_back(&model); }
  void ShowChannelList(TUnit&, TChannelListModel& model) override { lists_shown.push_back(&model); }
  void ShowMaskList(TUnit&, TChannel&, TMaskListModel& model) override { mask_lists_shown.push_back(&model); }
  void AskNick(TUnit&, const TNickQuestion& asked, TNickAnswerCallback done) override {
    ++nick_questions;
    question = asked;
    answer = std::move(done);
  }
};

// A scripted session with the protocol handlers installed.
class NumericTest : public SessionTest {
 protected:
  ~NumericTest() override {
    if (world_) world_->SetProtocol(nullptr);
  }
  void OnWorldCreated() override {
    protocol_ = std::make_unique<TProtocol>(*world_);
    world_->SetProtocol(protocol_.get());
    if (with_host_) Windows().SetHost(&host_);
  }

  TReplyWindows& Windows() { return protocol_->Numerics().Windows(); }
  // Whether the server received exactly these lines since the last look.
  testing::AssertionResult SentIs(const std::vector<std::string>& expected) {
    std::vector<std::string> sent = Sent();
    if (sent == expected) return testing::AssertionSuccess();
    testing::AssertionResult failure = testing::AssertionFailure() << "sent:";
    for (const std::string& line : sent) failure << " [" << line << "]";
    return failure;
  }
  // The text of a line after its time and place.
  static std::string Body(const TLogLine& line) { return line.text.substr(line.prefix_length); }
  static std::string LastBody(const TLineStore& log) { return log.Count() ? Body(log.At(log.Count() - 1)) : ""; }
  static std::vector<std::string> Bodies(const TLineStore& log) {
    std::vector<std::string> bodies;
    for (size_t i = 0; i < log.Count(); ++i) bodies.push_back(Body(log.At(i)));
    return bodies;
  }

  bool with_host_ = true;
  TFakeWindowHost host_;
  std::unique_ptr<TProtocol> protocol_;
};

}  // namespace zeph::test
