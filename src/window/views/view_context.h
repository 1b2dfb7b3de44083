// What every view reaches: the record, the window's controls and menu items, the screen that
// enters views, and the services of messages and the clock.
#pragma once

#include "document/exam_document.h"
#include "services/clock.h"
#include "window/screen.h"
#include "window/services/message_service.h"
#include "window/window_parts.h"

namespace examora {

struct ViewContext {
    ExamDocument& document;
    Controls& c;
    MenuItems& m;
    Screen& screen;
    MessageService& messages;
    const Clock& clock;
};

} // namespace examora
