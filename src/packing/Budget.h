#pragma once

#include <chrono>

#include "packing/Packing.h"

namespace packing_detail {

// The work done and the limits on it. A step is one evaluation of the whole
// objective; an evaluation of a patch counts as its share of the circles,
// and a sweep of annealing as the evaluations it takes the time of. Work is
// only begun where the steps left pay for it, so that the steps spent never
// exceed the limit.
class TBudget {
  using Clock = std::chrono::steady_clock;

 public:
  // The status, unless null, follows the steps.
  TBudget(const TSearchLimits& limits, TSearchStatus* status)
      : limits_(limits), status_(status), start_(Clock::now()) {}

  void spend(double share = 1) {
    work_ += share;
    if (status_ != nullptr) status_->steps.store(steps(), std::memory_order_relaxed);
  }
  long steps() const { return static_cast<long>(work_); }
  // The share of the budget spent: of the steps where they are limited, so
  // that every decision of a search with a step limit follows the steps
  // alone, whatever the machine's load; otherwise of the time.
  double spent() const {
    if (limits_.steps >= 0) return work_ / limits_.steps;
    return std::chrono::duration<double>(Clock::now() - start_).count() / limits_.seconds;
  }
  // Whether work of `share` steps must not begin: the steps left do not pay
  // for it, the time is up, or the search was told to stop.
  bool exhausted(double share = 1) const {
    if (stopped()) return true;
    if (limits_.steps >= 0 && work_ + share > limits_.steps) return true;
    // The clock is read now and then: an evaluation takes microseconds.
    if (limits_.seconds >= 0 && ++reads_ % 64 == 0) {
      exhaustedByTime_ =
          exhaustedByTime_ ||
          std::chrono::duration<double>(Clock::now() - start_).count() >= limits_.seconds;
    }
    return exhaustedByTime_;
  }
  bool stopped() const {
    return limits_.stop != nullptr && limits_.stop->load(std::memory_order_relaxed);
  }

 private:
  TSearchLimits limits_;
  TSearchStatus* status_;
  Clock::time_point start_;
  double work_ = 0;
  mutable long reads_ = 0;
  mutable bool exhaustedByTime_ = false;
};

}  // namespace packing_detail
