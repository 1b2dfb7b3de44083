#include "window/views/info_view.h"

#include "records/conversions.h"
#include "window/widgets/caption_label.h"
#include "window/widgets/surface.h"

namespace examora {

QWidget* InfoView::FocusTarget() const { return x_.c.surface; }

void InfoView::Info_Click() {
    x_.c.Label[0]->SetCaption(QStringLiteral("Author : ") + kCarriageReturn +
                              QStringLiteral("The Examora team"));
    x_.c.Label[1]->SetCaption(
        QStringLiteral("December 2026, Free software for students, examora.example.org"));
    x_.screen.Enter(ViewId::Info);
}

} // namespace examora
