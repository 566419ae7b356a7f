#pragma once
// Independent pieces of work, numbered 0..count-1, computed on several threads and handed
// over one by one in index order on the calling thread, so that what the hand-over does
// happens in the order a single thread would have done it.

#include <algorithm>
#include <atomic>
#include <condition_variable>
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

// The results computed so far, by index, and which index to compute next.
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

    // The result of an index; none when its computation threw.
    void store(int index, std::optional<Result> result) {
        {
            const std::lock_guard lock(mutex_);
            Slot& slot = slots_[static_cast<size_t>(index)];
            if (!result) firstFailure_.store(std::min(firstFailure_.load(), index));
            slot.result = std::move(result);
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

    std::optional<Result> release(int index) {
        const std::lock_guard lock(mutex_);
        return std::move(slots_[static_cast<size_t>(index)].result);
    }

  private:
    struct Slot {
        bool done = false;
        std::optional<Result> result;
    };
    const int count_;
    std::atomic<int> next_{0};
    std::atomic<int> firstFailure_{count_};
    std::mutex mutex_;
    std::condition_variable done_;
    std::vector<Slot> slots_;
};

template <class Result, class Compute>
std::optional<Result> attempt(const Compute& compute, int index) {
    try {
        return std::optional<Result>(compute(index));
    } catch (...) {
        // Not reported here: the one-thread code meets the same failure again and raises it.
        return std::nullopt;
    }
}

}  // namespace detail

// Runs the work for i = 0..count-1 as one thread would, on `threads` threads.
//
// compute(i) returns a Result and runs on any of the threads (the calling thread helps
// while it waits): it must only read data that nothing changes while the work runs, and
// write nothing but its result. commit(i, result) runs on the calling thread, for each i
// in increasing order. If compute(i) throws, the exception is dropped: the other threads
// stop, and the calling thread runs serial(j) for j = i..count-1 in order, the one-thread
// form of compute and commit together, which meets the failure itself and raises it
// with whatever it leaves behind, just as the one-thread run would. With one thread,
// serial runs for every index. An exception from commit or serial ends the work after
// the other threads have stopped.
template <class Result, class Compute, class Commit, class Serial>
void runInIndexOrder(int count, int threads, const Compute& compute, const Commit& commit,
                     const Serial& serial) {
    const int workerCount = std::min(threads, count) - 1;
    if (workerCount <= 0) {
        for (int i = 0; i < count; ++i) serial(i);
        return;
    }
    detail::IndexedResults<Result> results(count);
    // Declared after the results: the workers are stopped and joined before those go.
    std::vector<std::jthread> workers;
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
        std::optional<Result> result = results.release(i);
        if (!result) {
            workers.clear();  // stops and joins
            for (int j = i; j < count; ++j) serial(j);
            return;
        }
        commit(i, std::move(*result));
    }
}

}  // namespace condsim
