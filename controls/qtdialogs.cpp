#include "controls/qtdialogs.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>

#include "base/files.h"

namespace {

QMessageBox::Icon QtIcon(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::Exclamation:
        return QMessageBox::Warning;
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString QtDialogs::InputBox(const QString& prompt, const QString& title) {
    QInputDialog dialog;
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog.setWindowTitle(title);
    dialog.setLabelText(MP3Mod::ShownFileName(prompt));
    // Long prompts wrap instead of stretching the dialog across the screen;
    // names and paths in them are plain text, never markup.
    if (auto* label = dialog.findChild<QLabel*>()) {
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
    }
    dialog.setTextValue(QString());
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

Dialogs::Answer QtDialogs::MsgBox(const QString& text, const QString& title, Icon icon,
                                  Buttons buttons) {
    const bool yesNo = buttons == Buttons::YesNo;
    QMessageBox box(QtIcon(icon), title, MP3Mod::ShownFileName(text),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const int answer = box.exec();
    if (!yesNo)
        return Answer::Ok;
    return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}
