#include "platform/message_service.h"

#include <QFileDialog>
#include <QMessageBox>

namespace examora {

int QtMessageService::MsgBox(const QString& prompt, int flags, const QString& title) {
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    box.setText(prompt);
    switch (flags) {
    case YesNoQuestion:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? AnswerYes : AnswerNo;
    case Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Information:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return AnswerOk;
}

QString QtMessageService::SaveFileName(const QString& title, const QString& suggested, const QString& filter,
                                       const QString& suffix) {
    QFileDialog dialog(parent_, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace examora
