#pragma once

#include <cstdint>
#include <memory>

namespace zeph {

// Lets an object notice that a callback it made has destroyed it, or has
// closed and restarted it (a new "life": a reconnection):
//   TLifeGuard::TStamp stamp = guard_.Stamp();
//   listener_->OnSomething(*this);
//   if (!stamp.Holds()) return;  // gone or restarted: touch nothing more
// The state lives apart from the object, so a stamp can be asked after
// the object is gone.
class TLifeGuard {
  struct TState {
    bool alive = true;
    uint64_t life = 0;
  };

 public:
  class TStamp {
   public:
    // The object still exists and has not been restarted since the stamp.
    bool Holds() const { return state_->alive && state_->life == life_; }
    // The object still exists, restarted or not.
    bool Alive() const { return state_->alive; }

   private:
    friend class TLifeGuard;
    explicit TStamp(std::shared_ptr<const TState> state) : state_(std::move(state)), life_(state_->life) {}
    std::shared_ptr<const TState> state_;
    uint64_t life_;
  };

  TLifeGuard() : state_(std::make_shared<TState>()) {}
  ~TLifeGuard() { state_->alive = false; }
  TLifeGuard(const TLifeGuard&) = delete;
  TLifeGuard& operator=(const TLifeGuard&) = delete;

  TStamp Stamp() const { return TStamp(state_); }
  // The object closed or restarted: stamps taken before no longer hold.
  void Renew() { ++state_->life; }

 private:
  std::shared_ptr<TState> state_;
};

}  // namespace zeph
