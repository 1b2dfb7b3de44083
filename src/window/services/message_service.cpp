#include "window/services/message_service.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace examora {

int QtMessageService::MsgBox(const QString& prompt, int flags, const QString& title) {
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    box.setText(prompt);
    switch (flags & ~NoByDefault) {
    case YesNoQuestion:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(flags & NoByDefault ? QMessageBox::No : QMessageBox::Yes);
        // Escape and the box's close button would count as No; they go to a Cancel that is never
        // shown, so that a dismissed question is told apart from an answer.
        box.setEscapeButton(box.addButton(QMessageBox::Cancel));
        box.button(QMessageBox::Cancel)->hide();
        box.exec();
        if (box.clickedButton() == box.button(QMessageBox::Yes))
            return AnswerYes;
        return box.clickedButton() == box.button(QMessageBox::No) ? AnswerNo : AnswerCancel;
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
