#pragma once

#include <memory>

namespace zeph {

// Lets an object notice that a callback it made has destroyed it:
//   auto alive = guard_.Token();
//   listener_->OnSomething(*this);
//   if (!*alive) return;  // do not touch a member any more
class TLifeGuard {
 public:
  TLifeGuard() : alive_(std::make_shared<bool>(true)) {}
  ~TLifeGuard() { *alive_ = false; }
  TLifeGuard(const TLifeGuard&) = delete;
  TLifeGuard& operator=(const TLifeGuard&) = delete;

  std::shared_ptr<const bool> Token() const { return alive_; }

 private:
  std::shared_ptr<bool> alive_;
};

}  // namespace zeph
