// Work done on a second thread while the caller goes on with its own; where no thread can be had,
// it is done at once instead. Either way it is over when Wait returns.
#pragma once

#include <functional>
#include <system_error>
#include <thread>

namespace examora {

class WorkAside {
public:
    explicit WorkAside(const std::function<void()>& work) {
        try {
            thread_ = std::thread(work);
        } catch (const std::system_error&) {
            work();
        }
    }
    ~WorkAside() { Wait(); }
    WorkAside(const WorkAside&) = delete;
    WorkAside& operator=(const WorkAside&) = delete;
    void Wait() {
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::thread thread_;
};

} // namespace examora
