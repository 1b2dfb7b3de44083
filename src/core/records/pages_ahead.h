// Pages made ready on a second thread ahead of the writes that fill large buffers. The system zeroes
// a page of memory the first time it is written; on a virtual machine that costs about as much as the
// work that fills it, and reading a large data file fills some 60 MiB. The writer tells how far it
// has come in each buffer; the pages up to a few MiB further are made ready meanwhile and never
// more, so that room reserved but never used is never touched. Where the system cannot do this,
// nothing happens and the writer faults its pages in itself.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <initializer_list>
#include <mutex>
#include <thread>
#include <vector>

namespace examora {

// Where a buffer lies, how many of its bytes are written and how many it may grow to in place.
struct BufferExtent {
    const void* begin = nullptr;
    std::size_t used = 0;
    std::size_t capacity = 0;
};

// Faults in the whole pages of [begin, begin + bytes) at once, as if written, without changing a
// byte; nothing where the system cannot.
void MakePagesReady(const void* begin, std::size_t bytes);

class PagesAhead {
public:
    PagesAhead();
    ~PagesAhead();
    PagesAhead(const PagesAhead&) = delete;
    PagesAhead& operator=(const PagesAhead&) = delete;

    // The buffers as they stand now, always the same ones in the same order. A buffer that moved
    // (it outgrew its room) is followed from its new place.
    void Reached(std::initializer_list<BufferExtent> buffers);

private:
    struct Followed {
        BufferExtent extent;
        std::size_t ready = 0; // bytes from the start made ready
    };
    void Work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Followed> buffers_;
    bool stop_ = false;
    std::thread thread_;
};

} // namespace examora
