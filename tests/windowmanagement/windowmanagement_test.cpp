#include <map>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "controls/label.h"
#include "controls/listbox.h"
#include "tests/support/programfixture.h"
#include "windows/windowing.h"

namespace {

int ScreenWidthTwips() {
    return QGuiApplication::primaryScreen()->geometry().width() * 15;
}

int ScreenHeightTwips() {
    return QGuiApplication::primaryScreen()->geometry().height() * 15;
}

// A mouse event where the pointer is, as the window system would send it.
void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& global) {
    QCursor::setPos(global);
    QCoreApplication::processEvents(); // the platform's own pointer events come first
    QMouseEvent event(type, widget->mapFromGlobal(global), global, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

TEST(SnapToScreenEdges, MovesWindowsNearAnEdgeFlushAgainstIt) {
    FormWindow form("f", "f");
    const int right = ScreenWidthTwips() - form.Width();
    const std::pair<int, int> leftCases[] = {
        {250, 0}, {450, 450}, {right - 300, right}, {right - 510, right - 510}, {-600, 0}};
    for (const auto& [dropped, snapped] : leftCases) {
        form.SetLeft(dropped);
        form.SetTop(3000);
        MP3Mod::SnapToScreenEdges(form);
        EXPECT_EQ(form.Left(), snapped) << dropped;
        EXPECT_EQ(form.Top(), 3000);
    }
    form.SetTop(-300); // partly above the top
    MP3Mod::SnapToScreenEdges(form);
    EXPECT_EQ(form.Top(), 0);
    form.SetTop(ScreenHeightTwips() - form.Height() - 200);
    MP3Mod::SnapToScreenEdges(form);
    EXPECT_EQ(form.Top(), ScreenHeightTwips() - form.Height());
}

TEST(SnapToScreenEdges, AWindowWiderThanTheScreenEndsFlushRight) {
    FormWindow form("f", "f");
    form.SetWidth(ScreenWidthTwips() + 1500);
    form.SetLeft(0);
    MP3Mod::SnapToScreenEdges(form);
    EXPECT_EQ(form.Left(), -1500);
}

class WindowManagementTest : public ProgramTest {
protected:
    void SetUp() override {
        music.write("a.mp3");
        storeDirectory(music.path());
        start();
        emit program->form3.lblDblClick->DblClick(); // the three windows come up
    }
    void expectCompanionsBelow() {
        EXPECT_EQ(form2().Left(), form1().Left());
        EXPECT_EQ(form4().Left(), form1().Left());
        EXPECT_NEAR(form2().Top(), form1().Top() + 2290, 15);
        EXPECT_NEAR(form4().Top(), form1().Top() + 4580, 15);
    }
};

TEST_F(WindowManagementTest, DraggingTheMainWindowSnapsItAndTheCompanionsFollowTheMouse) {
    const QPoint grab = form1().mapToGlobal(QPoint(5, 60));
    const QPoint drop = grab + QPoint(-form1().x() + 12, 40); // 12 pixels from the left edge
    QCursor::setPos(grab);
    QTimer::singleShot(0, [&] {
        SendMouse(&form1(), QEvent::MouseMove, grab + QPoint(30, 10));
        SendMouse(&form1(), QEvent::MouseMove, drop);
        SendMouse(&form1(), QEvent::MouseButtonRelease, drop);
    });
    emit form1().MouseDown(Qt::LeftButton); // the press on the background
    EXPECT_EQ(form1().Left(), 0);           // 180 twips from the edge: snapped
    EXPECT_EQ(form1().y(), drop.y() - 60);  // followed the pointer down
    EXPECT_NE(form2().Left(), 0);           // the companions wait for a mouse move
    const int panelBefore = form2().Top();
    QTest::mouseMove(form1().List1->viewport(), QPoint(10, 10));
    expectCompanionsBelow();
    EXPECT_NE(form2().Top(), panelBefore);
}

TEST_F(WindowManagementTest, RollingUpAndDownReachesExactHeightsOneWindowAfterAnother) {
    QStringList order; // each window's arrival at each height, in turn
    std::map<FormWindow*, int> last;
    auto note = [&] {
        for (FormWindow* form : std::initializer_list<FormWindow*>{&form1(), &form2(), &form4()}) {
            const int height = form->Height();
            if ((height == 285 || height == 2310) && last[form] != height) {
                order.append(form->objectName() + QString::number(height));
                last[form] = height;
            }
        }
    };
    note();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, note);
    watch.start(1);
    emit form1().Label2->DblClick();
    note();
    EXPECT_EQ(order.mid(3), QStringList({"Form1285", "Form2285", "Form4285"}));
    EXPECT_TRUE(form1().TheID3->isVisible());
    emit form1().Label2->DblClick();
    note();
    EXPECT_EQ(order.mid(6), QStringList({"Form12310", "Form22310", "Form42310"}));
    EXPECT_FALSE(form1().TheID3->isVisible());
    form1().SetHeight(1500); // any other height: no roll
    emit form1().Label2->DblClick();
    EXPECT_EQ(form2().Height(), 2310);
}

TEST_F(WindowManagementTest, MinimizeTakesAllThreeAndAMouseMoveBringsThemBack) {
    form1().Minimize->trigger();
    EXPECT_TRUE(form1().isMinimized());
    EXPECT_TRUE(form2().isMinimized());
    EXPECT_TRUE(form4().isMinimized());
    form1().showNormal(); // from the task bar
    QTest::mouseMove(&form1(), QPoint(5, 60));
    EXPECT_FALSE(form2().isMinimized());
    EXPECT_FALSE(form4().isMinimized());
    expectCompanionsBelow();
}

TEST_F(WindowManagementTest, AMouseMoveOverTheMinimisedPanelRestoresTheCompanions) {
    form2().showMinimized();
    form4().showMinimized();
    emit form2().MouseMove();
    EXPECT_FALSE(form2().isMinimized());
    EXPECT_FALSE(form4().isMinimized());
    form2().SetTop(0);
    emit form2().MouseMove(); // not minimised: nothing moves
    EXPECT_EQ(form2().Top(), 0);
}

TEST_F(WindowManagementTest, ExitAsksAndNoChangesNothing) {
    dialogs.shown.clear();
    dialogs.messageAnswers = {Dialogs::Answer::No};
    emit form1().Exit->Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Are you sure you wish to exit?");
    EXPECT_EQ(dialogs.shown[0].title, "Exit?");
    EXPECT_EQ(dialogs.shown[0].buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(form1().isVisible());
    dialogs.messageAnswers = {Dialogs::Answer::Yes};
    emit form1().Exit->Click();
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(form1().isVisible());
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Stopped);
}

TEST_F(WindowManagementTest, RightClicksOpenTheSmallMenus) {
    QTest::mousePress(form1().Label2, Qt::RightButton);
    EXPECT_TRUE(form1().Other->isVisible());
    form1().Other->hide();
    QTest::mousePress(&form1(), Qt::RightButton, {}, QPoint(5, 60));
    EXPECT_TRUE(form1().Stuff->isVisible());
    form1().Stuff->hide();
}

// The Menu key and Shift+F10 open the menu of a right click on the focused
// control (or on its window) by that control, wherever the pointer is; a
// button label's Space opens its menu below it. On the song list, Shift+F10
// is the list's F10: it adds the selected row to the playlist.
TEST_F(WindowManagementTest, MenuKeysOpenTheMenusByTheFocusedControl) {
    QCursor::setPos(0, 0);
    auto expectMenu = [](QMenu* menu, QWidget* control, QPoint at) {
        EXPECT_EQ(QApplication::activePopupWidget(), menu);
        EXPECT_EQ(menu->pos(), control->mapToGlobal(at));
        menu->hide();
    };
    auto key = [](QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        control->setFocus();
        QTest::keyClick(control, key, modifiers);
        return control->rect().center();
    };
    expectMenu(form1().Stuff, form1().Exit, key(form1().Exit, Qt::Key_F10, Qt::ShiftModifier));
    expectMenu(form4().Stuff, form4().List1, key(form4().List1, Qt::Key_F10, Qt::ShiftModifier));
    key(form4().Label2, Qt::Key_Space, Qt::NoModifier);
    expectMenu(form4().Stuff, form4().Label2, form4().Label2->rect().bottomLeft());
    const QPoint centre = form1().List1->rect().center();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, centre,
                              form1().List1->mapToGlobal(centre));
    QCoreApplication::sendEvent(form1().List1, &menuKey);
    expectMenu(form1().Whatever, form1().List1, centre);
    form1().List1->SetListIndex(0);
    key(form1().List1, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(form4().List1->ListCount(), 1);
}

// Alt+F4 on the main window or a companion asks as the main window's "X".
TEST_F(WindowManagementTest, ClosingAWindowFromTheDesktopAsksFirst) {
    dialogs.shown.clear();
    dialogs.messageAnswers = {Dialogs::Answer::No, Dialogs::Answer::No, Dialogs::Answer::No};
    for (FormWindow* form : std::initializer_list<FormWindow*>{&form1(), &form2(), &form4()}) {
        EXPECT_FALSE(form->close());
        EXPECT_TRUE(form->isVisible());
    }
    ASSERT_EQ(dialogs.shown.size(), 3u);
    for (const auto& shown : dialogs.shown)
        EXPECT_EQ(shown.title, "Exit?");
    dialogs.messageAnswers = {Dialogs::Answer::Yes};
    form4().close();
    EXPECT_EQ(ends, 1);
}
