#include "controls/label.h"

#include <cmath>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "base/common.h"
#include "controls/popups.h"
#include "controls/twips.h"

namespace {

// Pixels around a glyph's square that its outline and smoothing may touch.
constexpr int GlyphMargin = 2;

// The symbol shown for each glyph character.
QString GlyphSymbol(const QString& caption) {
    if (caption == QLatin1String("4"))
        return QStringLiteral("\u25B6");
    if (caption == QLatin1String("3"))
        return QStringLiteral("\u25C0");
    if (caption == QLatin1String(";"))
        return QStringLiteral("\u23F8");
    if (caption == QLatin1String("<"))
        return QStringLiteral("\u25A0");
    if (caption == QLatin1String("'"))
        return QStringLiteral("\u27F3");
    return caption;
}

// The square a glyph is drawn in, centred in the label's box.
QRectF GlyphSquare(const QRectF& box) {
    const double side = std::min(box.width(), box.height()) * 0.8;
    return {box.center().x() - side / 2, box.center().y() - side / 2, side, side};
}

// Glyphs are painted as shapes: fonts on Linux desktops may lack the symbols.
void PaintGlyph(QPainter& painter, const QString& caption, const QRectF& box) {
    const QRectF shape = GlyphSquare(box);
    const double side = shape.width();
    QPainterPath path;
    if (caption == QLatin1String("4")) {
        path.moveTo(shape.topLeft());
        path.lineTo(shape.right(), shape.center().y());
        path.lineTo(shape.bottomLeft());
    } else if (caption == QLatin1String("3")) {
        path.moveTo(shape.topRight());
        path.lineTo(shape.left(), shape.center().y());
        path.lineTo(shape.bottomRight());
    } else if (caption == QLatin1String(";")) {
        const double bar = std::max(1.0, side / 3);
        path.addRect(shape.left(), shape.top(), bar, side);
        path.addRect(shape.right() - bar, shape.top(), bar, side);
    } else if (caption == QLatin1String("<")) {
        path.addRect(shape);
    } else if (caption == QLatin1String("'")) {
        painter.setPen(QPen(painter.pen().color(), std::max(1.0, side / 6)));
        painter.drawArc(shape.adjusted(1, 1, -1, -1), 60 * 16, 300 * 16);
        path.moveTo(shape.right(), shape.top());
        path.lineTo(shape.right(), shape.center().y());
        path.lineTo(shape.center().x() + side / 6, shape.top() + side / 6);
    }
    path.closeSubpath();
    painter.fillPath(path, painter.pen().color());
}

} // namespace

namespace MP3Mod {

void ShowStatus(Label& status, const QString& text, double seconds) {
    status.setText(text);
    WaitSeconds(seconds);
    status.setText(QStringLiteral("Status bar."));
}

} // namespace MP3Mod

Label::Label(const QString& text, QWidget* parent, std::optional<Press> press)
    : QLabel(parent), press_(press) {
    if (press_)
        setFocusPolicy(Qt::TabFocus);
    setTextFormat(Qt::PlainText);
    line_.setTextFormat(Qt::PlainText);
    setText(text);
}

void Label::SetCaption(const QString& caption) {
    if (!glyph_) {
        setText(caption);
        return;
    }
    caption_ = caption;
    setText(GlyphSymbol(caption));
}

void Label::SetGlyph(bool glyph) {
    const QString caption = Caption();
    glyph_ = glyph;
    setAlignment(glyph ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    SetCaption(caption);
}

void Label::SetLeft(int twips) {
    left_ = twips;
    move(ToPixels(twips), y());
}

void Label::SetWidth(int twips) {
    width_ = twips;
    resize(std::max(0, ToPixels(twips)), height());
}

void Label::SetGeometryTwips(int left, int top, int width, int height) {
    left_ = left;
    width_ = width;
    setGeometry(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

void Label::paintEvent(QPaintEvent* event) {
    if (!glyph_ && text().contains(QLatin1Char('\n'))) {
        QLabel::paintEvent(event);
        return;
    }
    if (glyph_ && !event->rect().intersects(
                      GlyphSquare(contentsRect())
                          .toAlignedRect()
                          .adjusted(-GlyphMargin, -GlyphMargin, GlyphMargin, GlyphMargin)))
        return; // only the background shows there, as where a sibling moved past the edge
    QPainter painter(this);
    if (keyboardFocus_ && hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (!glyph_) {
        PaintLine(painter);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::WindowText));
    PaintGlyph(painter, caption_, contentsRect());
}

// One line of plain text, left-aligned and centred vertically, as QLabel
// draws it. A text drawn again unchanged (the scrolling song name, every
// second) keeps its layout from one paint to the next; a text that changes
// at each paint (the play position) is drawn directly, since laying out a
// static text costs more than drawing it once.
void Label::PaintLine(QPainter& painter) {
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const QRect box = contentsRect();
    const QFontMetricsF metrics(font());
    const QPointF topLeft(box.left(), box.top() + (box.height() - std::ceil(metrics.height())) / 2);
    if (line_.text() == text()) {
        painter.drawStaticText(topLeft, line_);
        return;
    }
    line_.setText(text());
    painter.drawText(topLeft + QPointF(0, metrics.ascent()), text());
}

// A menu that the press opens stands below the label, not at the pointer.
void Label::Activate() {
    MP3Mod::OpenPopupAt(mapToGlobal(rect().bottomLeft()), [this] {
        if (press_ == Press::DblClick)
            emit DblClick();
        else if (press_ == Press::Click)
            emit Click();
    });
}

void Label::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (press_ && (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        Activate();
        return;
    }
    QLabel::keyPressEvent(event);
}

// The focus is drawn only when the keyboard brought it, so that the look
// under the mouse stays as it is.
void Label::focusInEvent(QFocusEvent* event) {
    keyboardFocus_ =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
    QLabel::focusInEvent(event);
}

void Label::focusOutEvent(QFocusEvent* event) {
    keyboardFocus_ = false;
    update();
    QLabel::focusOutEvent(event);
}

void Label::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button());
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Click();
}

void Label::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}
