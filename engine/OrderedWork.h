#pragma once

// Work on numbered items done on several threads and taken in order: workers compute items a
// bounded number ahead of the taker, so that a folder of files is read and compared on every
// core while the scan still reports file after file. With one job nothing runs ahead: each item
// is computed when it is taken, on the taker's thread.

#include <algorithm>
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

    // A worker takes `batch` items at a time; a few large items are better taken one by one.
    OrderedWork(int jobs, int32_t count, MakeWorker makeWorker, int32_t batch = kBatch)
        : count_(count), batch_(std::max(batch, 1)), makeWorker_(std::move(makeWorker)) {
        if (jobs <= 1) {
            inline_ = makeWorker_();
            return;
        }
        // Enough items ahead to keep every worker busy while the taker reports, few enough that
        // items with large results do not fill the memory.
        slots_.resize(std::max<size_t>(
            64, size_t{4} * static_cast<size_t>(batch_) * static_cast<size_t>(jobs)));
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
        Result result{};  // a plain result the compute leaves alone is still a value
        if (inline_) {
            inline_(index, result);
            return result;
        }
        bool workerWaits = false;
        {
            std::unique_lock lock(mutex_);
            awaited_ = index;
            resultReady_.wait(lock, [this, index] { return Slot(index).ready; });
            awaited_ = -1;
            result = std::move(Slot(index).result);
            Slot(index) = Item();
            taken_ = index + 1;
            workerWaits = workersWaiting_ > 0 && RoomToClaim();
        }
        if (workerWaits) {
            spaceFree_.notify_all();
        }
        return result;
    }

  private:
    struct Item {
        bool ready = false;
        Result result;
    };

    // A worker takes a few items at a time and hands them over together, so that a taker who
    // is faster than the workers is woken once per batch, not once per item.
    static constexpr int32_t kBatch = 8;

    Item& Slot(int32_t index) { return slots_[static_cast<size_t>(index) % slots_.size()]; }

    // Waking a thread costs more than most items: the taker is woken only by the item it waits
    // for, and a worker that waits for room only once a quarter of the slots is free.
    bool RoomToClaim() const {
        const auto capacity = static_cast<int32_t>(slots_.size());
        return next_ + std::max(batch_, capacity / 4) <= taken_ + capacity;
    }

    // The items [first, end) for the calling worker; false when there are none left.
    bool Claim(int32_t& first, int32_t& end) {
        std::unique_lock lock(mutex_);
        ++workersWaiting_;
        spaceFree_.wait(lock, [this] { return stopping_ || next_ >= count_ || RoomToClaim(); });
        --workersWaiting_;
        if (stopping_ || next_ >= count_) {
            return false;
        }
        first = next_;
        end = std::min(count_, next_ + batch_);
        next_ = end;
        return true;
    }

    void Work() {
        const Compute compute = makeWorker_();
        std::vector<Item> batch;
        int32_t first = 0;
        int32_t end = 0;
        while (Claim(first, end)) {
            batch.assign(static_cast<size_t>(end - first), Item());
            for (int32_t index = first; index < end; ++index) {
                compute(index, batch[static_cast<size_t>(index - first)].result);
            }
            bool takerWaits = false;
            {
                const std::lock_guard lock(mutex_);
                for (int32_t index = first; index < end; ++index) {
                    Slot(index) = std::move(batch[static_cast<size_t>(index - first)]);
                    Slot(index).ready = true;
                }
                takerWaits = awaited_ >= first && awaited_ < end;
            }
            if (takerWaits) {
                resultReady_.notify_one();
            }
        }
    }

    const int32_t count_;
    const int32_t batch_;
    MakeWorker makeWorker_;
    Compute inline_;

    std::mutex mutex_;
    std::condition_variable resultReady_;
    std::condition_variable spaceFree_;
    std::vector<Item> slots_;
    int32_t next_ = 0;
    int32_t taken_ = 0;
    bool stopping_ = false;
    int32_t awaited_ = -1;  // the item the taker waits for, or -1
    int workersWaiting_ = 0;
    std::vector<std::thread> workers_;
};

}  // namespace ravelin
