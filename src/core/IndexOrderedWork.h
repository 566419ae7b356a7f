#pragma once
// Independent pieces of work, numbered 0..count-1, computed on several threads and handed
// over one by one in index order on the calling thread, so that what the hand-over does
// happens in the order a single thread would have done it.

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>
#include <utility>
#include <vector>

namespace condsim {

// The threads a calculation uses unless told otherwise: one per processor core, at least one.
int defaultThreadCount();

namespace detail {

// The outcome of one index: its result, or the exception its computation threw.
template <class Result>
struct Outcome {
    std::optional<Result> result;
    std::exception_ptr error;
};

// The outcomes computed so far, by index, and which index to compute next.
template <class Result>
class IndexedResults {
  public:
    explicit IndexedResults(int count) : count_(count), slots_(static_cast<size_t>(count)) {}

    // The next index nobody has taken yet; none when all are taken or an index before it
    // has already failed (nothing after a failure is ever handed over).
    std::optional<int> take() {
        const int index = next_.fetch_add(1);
        if (index >= count_ || index > firstFailure_.load()) return std::nullopt;
        return index;
    }

    void store(int index, Outcome<Result> outcome) {
        {
            const std::lock_guard lock(mutex_);
            Slot& slot = slots_[static_cast<size_t>(index)];
            if (outcome.error) firstFailure_.store(std::min(firstFailure_.load(), index));
            slot.outcome = std::move(outcome);
            slot.done = true;
        }
        done_.notify_all();
    }

    bool done(int index) {
        const std::lock_guard lock(mutex_);
        return slots_[static_cast<size_t>(index)].done;
    }

    void waitFor(int index) {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [&] { return slots_[static_cast<size_t>(index)].done; });
    }

    Outcome<Result> release(int index) {
        const std::lock_guard lock(mutex_);
        return std::move(slots_[static_cast<size_t>(index)].outcome);
    }

  private:
    struct Slot {
        bool done = false;
        Outcome<Result> outcome;
    };
    const int count_;
    std::atomic<int> next_{0};
    std::atomic<int> firstFailure_{count_};
    std::mutex mutex_;
    std::condition_variable done_;
    std::vector<Slot> slots_;
};

template <class Result, class Compute>
Outcome<Result> attempt(const Compute& compute, int index) {
    try {
        return {std::optional<Result>(compute(index)), nullptr};
    } catch (...) {
        return {std::nullopt, std::current_exception()};
    }
}

}  // namespace detail

// Runs the work for i = 0..count-1 as one thread would, on `threads` threads; one thread
// takes the same path with no helpers beside it.
//
// compute(i) returns a Result and runs on any of the threads (the calling thread computes
// too): it must only read data that nothing changes while the work runs, and write nothing
// but its result. commit(i, result) runs on the calling thread, for each i in increasing
// order. When compute(i) throws, the other threads stop, nothing from i on is committed,
// and failed(i, error) runs on the calling thread with the exception: it may redo on
// shared state what the failure should leave behind, and raises the error (the work ends
// when it returns). An exception from commit or failed ends the work after the other
// threads have stopped.
template <class Result, class Compute, class Commit, class Failed>
void runInIndexOrder(int count, int threads, const Compute& compute, const Commit& commit,
                     const Failed& failed) {
    detail::IndexedResults<Result> results(count);
    // Declared after the results: the workers are stopped and joined before those go.
    std::vector<std::jthread> workers;
    const int workerCount = std::max(std::min(threads, count) - 1, 0);
    workers.reserve(static_cast<size_t>(workerCount));
    for (int w = 0; w < workerCount; ++w) {
        workers.emplace_back([&results, &compute](const std::stop_token& stop) {
            while (!stop.stop_requested()) {
                const auto index = results.take();
                if (!index) return;
                results.store(*index, detail::attempt<Result>(compute, *index));
            }
        });
    }
    for (int i = 0; i < count; ++i) {
        while (!results.done(i)) {
            if (const auto index = results.take()) {
                results.store(*index, detail::attempt<Result>(compute, *index));
            } else {
                results.waitFor(i);
            }
        }
        detail::Outcome<Result> outcome = results.release(i);
        if (outcome.error) {
            workers.clear();  // stops and joins
            failed(i, outcome.error);
            return;
        }
        commit(i, std::move(*outcome.result));
    }
}

}  // namespace condsim
