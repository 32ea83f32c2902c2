#pragma once

// Work on numbered items done on several threads and taken in order: workers compute items a
// bounded number ahead of the taker, so that a folder of files is read and compared on every
// core while the scan still reports file after file. With one job nothing runs ahead: each item
// is computed when it is taken, on the taker's thread.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace ravelin {

template <class Result>
class OrderedWork {
  public:
    using Compute = std::function<void(int32_t index, Result& result)>;
    // Called once for each worker, on its thread: the worker's own scratch lives in what it makes.
    using MakeWorker = std::function<Compute()>;

    OrderedWork(int jobs, int32_t count, MakeWorker makeWorker)
        : count_(count), makeWorker_(std::move(makeWorker)) {
        if (jobs <= 1) {
            inline_ = makeWorker_();
            return;
        }
        // Enough items ahead to keep every worker busy while the taker reports, few enough that
        // items with large results do not fill the memory.
        slots_.resize(8 * static_cast<size_t>(jobs));
        for (int i = 0; i < jobs; ++i) {
            workers_.emplace_back([this] { Work(); });
        }
    }
    OrderedWork(const OrderedWork&) = delete;
    OrderedWork& operator=(const OrderedWork&) = delete;
    ~OrderedWork() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        spaceFree_.notify_all();
        for (std::thread& worker : workers_) {
            worker.join();
        }
    }

    // Items are taken in order, each once.
    Result Take(int32_t index) {
        Result result;
        if (inline_) {
            inline_(index, result);
            return result;
        }
        {
            std::unique_lock lock(mutex_);
            resultReady_.wait(lock, [this, index] { return Slot(index).ready; });
            result = std::move(Slot(index).result);
            Slot(index) = Item();
            taken_ = index + 1;
        }
        spaceFree_.notify_all();
        return result;
    }

  private:
    struct Item {
        bool ready = false;
        Result result;
    };

    Item& Slot(int32_t index) { return slots_[static_cast<size_t>(index) % slots_.size()]; }

    bool Claim(int32_t& index) {
        std::unique_lock lock(mutex_);
        spaceFree_.wait(lock, [this] {
            return stopping_ || next_ >= count_ ||
                   next_ < taken_ + static_cast<int32_t>(slots_.size());
        });
        if (stopping_ || next_ >= count_) {
            return false;
        }
        index = next_++;
        return true;
    }

    void Work() {
        const Compute compute = makeWorker_();
        int32_t index = 0;
        while (Claim(index)) {
            Item item;
            compute(index, item.result);
            item.ready = true;
            {
                const std::lock_guard lock(mutex_);
                Slot(index) = std::move(item);
            }
            resultReady_.notify_all();
        }
    }

    const int32_t count_;
    MakeWorker makeWorker_;
    Compute inline_;

    std::mutex mutex_;
    std::condition_variable resultReady_;
    std::condition_variable spaceFree_;
    std::vector<Item> slots_;
    int32_t next_ = 0;
    int32_t taken_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace ravelin
