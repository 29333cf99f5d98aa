#pragma once

#include <cstdint>
#include <memory>
#include <utility>

namespace zeph {

// Lets an object notice that a callback it made has destroyed it, or has
// closed and restarted it (a new "life": a reconnection):
//   if (!guard_.Report(listener_, &TListener::OnSomething, *this).Holds()) return;
// Gone or restarted, it touches nothing more.
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

  // Calls a listener's method (no listener: no call) and returns the stamp
  // taken before it, to ask what the call left of the object. Touches
  // nothing of the guard after the call, which may have destroyed it.
  template <class Listener, class Method, class... Args>
  TStamp Report(Listener* listener, Method method, Args&&... args) const {
    TStamp stamp = Stamp();
    if (listener != nullptr) (listener->*method)(std::forward<Args>(args)...);
    return stamp;
  }

  // The object closed or restarted: stamps taken before no longer hold.
  void Renew() { ++state_->life; }

 private:
  std::shared_ptr<TState> state_;
};

}  // namespace zeph
