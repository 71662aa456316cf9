#include "windows/form.h"

#include <cmath>

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QPixmap>
#include <QShowEvent>

#include "controls/label.h"
#include "controls/picture.h"
#include "controls/popups.h"
#include "controls/x11.h"

void SetCaption(QAction* item, const QString& caption) {
    QString shown = caption;
    item->setText(shown.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

// Resources of a static library must be registered by hand (and outside any
// namespace, where the registration function lives).
static void InitResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)done;
}

FormWindow::FormWindow(const QString& name, const QString& title)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    InitResources();
    setObjectName(name);
    setWindowTitle(title);
    resize(ToPixels(DesignWidth), ToPixels(DesignHeight));
    QPalette look = palette();
    look.setBrush(QPalette::Window, MP3Mod::Picture(QStringLiteral(":/background.png")));
    look.setColor(QPalette::WindowText, QColor(0xe8, 0xee, 0xf6));
    setPalette(look);
    setAutoFillBackground(true);
    QFont small = font();
    small.setFamily(QStringLiteral("Sans Serif"));
    small.setPixelSize(11);
    small.setStretch(82); // the labels were laid out for a narrow face
    small.setStyleStrategy(QFont::PreferNoShaping);
    setFont(small);
}

void FormWindow::SetLeft(double twips) {
    move(ToPixels(twips), y());
}

void FormWindow::SetTop(double twips) {
    move(x(), ToPixels(twips));
}

void FormWindow::SetWidth(double twips) {
    resize(std::max(1, ToPixels(twips)), height());
}

void FormWindow::SetHeight(double twips) {
    resize(width(), std::max(1, ToPixels(twips)));
}

void FormWindow::EnsureLoaded() {
    if (loaded_)
        return;
    loaded_ = true;
    if (loadHandler_)
        loadHandler_();
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit CloseRequested();
}

void FormWindow::MarkCompanion() {
    companion_ = true;
    setWindowFlag(Qt::Tool);
}

// Each time the program shows a companion, before it is mapped: the window
// manager forgets the window's states when it is hidden.
void FormWindow::showEvent(QShowEvent* event) {
    if (companion_ && !event->spontaneous())
        MP3Mod::SkipTaskbarAndPager(*this);
    QWidget::showEvent(event);
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    if (MP3Mod::IsMenuKey(*event))
        MP3Mod::SendMenuKey(*this);
    else
        QWidget::keyPressEvent(event);
}

void FormWindow::contextMenuEvent(QContextMenuEvent* event) {
    MP3Mod::AnswerMenuKey(*event, [this] { emit MenuKey(); });
}

void FormWindow::PlaceTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

Label* FormWindow::AddLabel(const char* name, const QString& caption, int left, int top, int width,
                            int height, std::optional<Label::Press> press) {
    auto* label = new Label(caption, this, press);
    label->setObjectName(QString::fromLatin1(name));
    label->SetGeometryTwips(left, top, width, height);
    return label;
}

Label* FormWindow::AddGlyph(const char* name, const QString& caption, int left, int top, int width,
                            int height, std::optional<Label::Press> press) {
    Label* glyph = AddLabel(name, caption, left, top, width, height, press);
    glyph->SetGlyph(true);
    return glyph;
}

QMenu* FormWindow::NewMenu(const char* name, const QString& caption) {
    auto* menu = new QMenu(caption, this);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* FormWindow::AddItem(QMenu* menu, const char* name, const QString& caption,
                             bool checkable) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    item->setCheckable(checkable);
    return item;
}
