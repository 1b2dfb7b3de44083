#include "window/services/message_service.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace examora {
namespace {

// A box opens centred on the window, and the window is painted first: a message at start would
// otherwise stand at the screen's corner over an empty frame.
void PlaceOver(QWidget* parent, QWidget& box) {
    if (!parent)
        return;
    QWidget* window = parent->window();
    if (window->isVisible()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        window->repaint();
    }
    box.adjustSize();
    box.move(window->geometry().center() - box.rect().center());
}

} // namespace

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
        PlaceOver(parent_, box);
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
    PlaceOver(parent_, box);
    box.exec();
    return AnswerOk;
}

QString QtMessageService::SaveFileName(const QString& title, const QString& suggested, const QStringList& filters,
                                       int& kind, const QString& suffix) {
    QFileDialog dialog(parent_, title, suggested);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(kind));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    kind = std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    return dialog.selectedFiles().first();
}

} // namespace examora
