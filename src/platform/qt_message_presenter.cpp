#include "platform/qt_message_presenter.h"

#include "platform/control_array.h"

#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

// Shows the box until it is answered; the button pressed, or 0 when it was closed without one.
int answerBox(const QString& text, MessageButtons buttons)
{
    QMessageBox box;
    box.setWindowTitle(QStringLiteral("Velda"));
    box.setIcon(QMessageBox::NoIcon);
    // Messages separate their lines with a bare carriage return.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    box.setTextFormat(Qt::PlainText);
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
        box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
        box.setDefaultButton(QMessageBox::Ok);
        break;
    }
    return box.exec();
}

}  // namespace

MessageAnswer QtMessagePresenter::present(const QString& text, MessageButtons buttons)
{
    ModalDialogScope modal;
    const int answer = answerBox(text, buttons);
    modal.awaitActivation();
    switch (answer) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Ok: return MessageAnswer::Ok;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: break;
    }
    // Closed without a button: the question is declined.
    switch (buttons) {
    case MessageButtons::YesNo: return MessageAnswer::No;
    case MessageButtons::OkCancel: return MessageAnswer::Cancel;
    case MessageButtons::Ok: break;
    }
    return MessageAnswer::Ok;
}

}  // namespace platform
