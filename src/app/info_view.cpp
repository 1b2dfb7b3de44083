// The info view: the author's credits and the picture.
#include "app/form1.h"
#include "records/conversions.h"

namespace examora {

void Form1::Info_Click() {
    Label[0]->SetCaption(QStringLiteral("Author : ") + kCarriageReturn + QStringLiteral("The Examora team"));
    Label[1]->SetCaption(QStringLiteral("December 2026, Free software for students, examora.example.org"));
    EnterView(View::Info);
}

} // namespace examora
