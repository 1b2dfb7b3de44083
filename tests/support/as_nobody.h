// Tests run as root, whom permission bits do not stop. While an AsNobody lives, the whole process
// is the user nobody (real and effective), as a user who may not read or write would be; root
// stays the saved user, so that the process can come back.
#pragma once

#include <QtGlobal>
#include <unistd.h>

namespace examora::testing {

inline constexpr uid_t kNobody = 65534;
inline constexpr gid_t kNoGroup = 65534;

class AsNobody {
public:
    AsNobody() : ok_(::setresuid(kNobody, kNobody, 0) == 0) {}
    ~AsNobody() {
        if (ok_ && ::setresuid(0, 0, 0) != 0)
            qFatal("cannot become root again");
    }
    AsNobody(const AsNobody&) = delete;
    AsNobody& operator=(const AsNobody&) = delete;
    bool Ok() const { return ok_; }

private:
    bool ok_;
};

} // namespace examora::testing
