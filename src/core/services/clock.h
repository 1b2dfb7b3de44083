// Today's date reaches the program through this service, so that tests do not depend on the day.
#pragma once

#include <QDate>

namespace examora {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate Today() const = 0;
};

class SystemClock : public Clock {
public:
    QDate Today() const override { return QDate::currentDate(); }
};

} // namespace examora
