#include "windowmanagement/windowmanagement.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>

#include "base/common.h"
#include "controls/dialogs.h"
#include "controls/label.h"
#include "windows/form1.h"
#include "windows/form2.h"
#include "windows/form4.h"
#include "windows/windowing.h"

namespace {

constexpr int RolledUp = 285;

// Changes the height a pixel at a time, handling events at every step.
void RollTo(FormWindow& form, int height) {
    const int step = form.Height() < height ? TwipsPerPixel : -TwipsPerPixel;
    while (form.Height() != height) {
        QCoreApplication::processEvents();
        form.SetHeight(form.Height() + step);
    }
}

} // namespace

WindowManagement::WindowManagement(Form1& form1, Form2& form2, Form4& form4, Dialogs& dialogs,
                                   std::function<void()> endProgram)
    : form1_(form1), form2_(form2), form4_(form4), dialogs_(dialogs),
      endProgram_(std::move(endProgram)) {}

void WindowManagement::Form1MouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton)
        form1_.Stuff->popup(QCursor::pos());
    else
        MP3Mod::DragWindow(form1_);
}

void WindowManagement::Label2MouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton)
        form1_.Other->popup(QCursor::pos());
}

void WindowManagement::Label2DblClick() {
    int target;
    if (form1_.Height() == FormWindow::DesignHeight)
        target = RolledUp;
    else if (form1_.Height() == RolledUp)
        target = FormWindow::DesignHeight;
    else
        return; // a roll is under way
    form1_.TheID3->setVisible(target == RolledUp);
    RollTo(form1_, target);
    MP3Mod::WaitSeconds(0.25);
    RollTo(form2_, target);
    MP3Mod::WaitSeconds(0.25);
    RollTo(form4_, target);
}

void WindowManagement::RestoreCompanions() {
    form2_.showNormal();
    form4_.showNormal();
}

void WindowManagement::ShowWindows() {
    for (FormWindow* form : std::initializer_list<FormWindow*>{&form4_, &form2_, &form1_}) {
        form->showNormal();
        form->raise();
    }
    form1_.activateWindow();
}

void WindowManagement::Form1MouseMove() {
    if (form2_.isMinimized())
        RestoreCompanions();
    MP3Mod::PlaceCompanions(form1_, form2_, form4_);
}

void WindowManagement::Form2MouseMove() {
    if (!form2_.isMinimized())
        return;
    RestoreCompanions();
    MP3Mod::PlaceCompanions(form1_, form2_, form4_);
}

void WindowManagement::ExitClick() {
    const auto answer =
        dialogs_.MsgBox(QStringLiteral("Are you sure you wish to exit?"), QStringLiteral("Exit?"),
                        Dialogs::Icon::Question, Dialogs::Buttons::YesNo);
    if (answer == Dialogs::Answer::Yes)
        endProgram_();
}

void WindowManagement::MinimizeClick() {
    form1_.showMinimized();
    form2_.showMinimized();
    form4_.showMinimized();
}
