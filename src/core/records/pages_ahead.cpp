#include "records/pages_ahead.h"

#include <algorithm>
#include <cstdint>
#include <system_error>
#ifdef __linux__
#include <sys/mman.h>
#endif

namespace examora {
namespace {

// How far ahead of the writer pages are made ready, in each buffer.
constexpr std::size_t kAhead = std::size_t{4} << 20;
constexpr std::uintptr_t kPage = 4096;

// Faults in the whole pages of [from, to) of the buffer as if written, without changing a byte.
void MakeReady(const void* begin, std::size_t from, std::size_t to) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    const auto start = (reinterpret_cast<std::uintptr_t>(begin) + from + kPage - 1) & ~(kPage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(begin) + to) & ~(kPage - 1);
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
#else
    (void)begin, (void)from, (void)to;
#endif
}

} // namespace

void MakePagesReady(const void* begin, std::size_t bytes) { MakeReady(begin, 0, bytes); }

PagesAhead::PagesAhead() {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    try {
        thread_ = std::thread([this] { Work(); });
    } catch (const std::system_error&) {
        // No second thread: the writer faults its pages in itself.
    }
#endif
}

PagesAhead::~PagesAhead() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

void PagesAhead::Reached(std::initializer_list<BufferExtent> buffers) {
    if (!thread_.joinable())
        return;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        buffers_.resize(std::max(buffers_.size(), buffers.size()));
        auto followed = buffers_.begin();
        for (const BufferExtent& extent : buffers) {
            if (followed->extent.begin != extent.begin)
                followed->ready = 0;
            followed++->extent = extent;
        }
    }
    wake_.notify_one();
}

void PagesAhead::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        // The first buffer whose pages lag behind the writer by less than the distance kept ahead.
        const auto behind = std::find_if(buffers_.begin(), buffers_.end(), [](const Followed& f) {
            return f.ready < std::min(f.extent.capacity, f.extent.used + kAhead / 2);
        });
        if (behind == buffers_.end()) {
            if (stop_)
                return;
            wake_.wait(lock);
            continue;
        }
        if (stop_)
            return;
        const BufferExtent extent = behind->extent;
        const std::size_t from = std::max(behind->ready, extent.used);
        const std::size_t to = std::min(extent.capacity, extent.used + kAhead);
        behind->ready = to;
        // The writer may move the buffer meanwhile: the pages of a freed block are only faulted in,
        // never written, so that this is harmless, and the new place is followed at the next call.
        lock.unlock();
        MakeReady(extent.begin, from, to);
        lock.lock();
    }
}

} // namespace examora
