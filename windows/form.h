#pragma once
// Base of the program's four windows: borderless, top-most, showing the
// shared background picture, with positions and sizes in twips.

#include <functional>

#include <QWidget>

#include "controls/label.h"
#include "controls/twips.h"

class QAction;
class QMenu;

// Sets a menu item's caption as shown, with no letter taken as a shortcut.
void SetCaption(QAction* item, const QString& caption);

class FormWindow : public QWidget {
    Q_OBJECT
public:
    // Width and height of every window, in twips (265 x 154 pixels).
    static constexpr int DesignWidth = 3975;
    static constexpr int DesignHeight = 2310;

    FormWindow(const QString& name, const QString& title);

    int Left() const { return x() * TwipsPerPixel; }
    int Top() const { return y() * TwipsPerPixel; }
    int Width() const { return width() * TwipsPerPixel; }
    int Height() const { return height() * TwipsPerPixel; }
    void SetLeft(double twips);
    void SetTop(double twips);
    void SetWidth(double twips);
    void SetHeight(double twips);

    // The window's load handler runs the first time another window refers to
    // it, once.
    void SetLoadHandler(std::function<void()> handler) { loadHandler_ = std::move(handler); }
    void EnsureLoaded();

signals:
    // The window system asked to close the window (Alt+F4, a task bar). The
    // windows stay; the program decides what a close means.
    void CloseRequested();
    // The Menu key or Shift+F10, on the window or on a control of it that
    // has no popup menu of its own.
    void MenuKey();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // A utility window of the program (Qt::Tool) that taskbars and pagers
    // leave out: the main window stands for the program there.
    void MarkCompanion();
    // Places a child control at a rectangle given in twips.
    static void PlaceTwips(QWidget* control, int left, int top, int width, int height);
    Label* AddGlyph(const char* name, const QString& caption, int left, int top, int width,
                    int height, std::optional<Label::Press> press = std::nullopt);
    // A label; given a press, a button (see Label).
    Label* AddLabel(const char* name, const QString& caption, int left, int top, int width,
                    int height, std::optional<Label::Press> press = std::nullopt);
    // A pop-up menu of the window, and an item of one, named for the handlers.
    QMenu* NewMenu(const char* name, const QString& caption);
    static QAction* AddItem(QMenu* menu, const char* name, const QString& caption,
                            bool checkable = false);

private:
    std::function<void()> loadHandler_;
    bool loaded_ = false;
    bool companion_ = false;
};
