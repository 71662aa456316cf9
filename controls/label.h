#pragma once
// A label that reports the mouse (presses, clicks, double-clicks) and keeps
// its place in exact twips. A glyph label holds one character as its caption
// (its state) and shows a symbol for it.

#include <QLabel>
#include <QStaticText>

class Label;

namespace MP3Mod {

// A status message: shows text, waits the given seconds, then shows the
// resting text "Status bar.".
void ShowStatus(Label& status, const QString& text, double seconds);

} // namespace MP3Mod

class Label : public QLabel {
    Q_OBJECT
public:
    // Shows its text as plain text: names, paths and tags are never markup.
    Label(const QString& text, QWidget* parent);

    // The caption: the text shown, or a glyph label's state character.
    QString Caption() const { return glyph_ ? caption_ : text(); }
    void SetCaption(const QString& caption);
    void SetGlyph(bool glyph);

    int Left() const { return left_; }
    int Width() const { return width_; }
    void SetLeft(int twips);
    void SetWidth(int twips);
    void SetGeometryTwips(int left, int top, int width, int height);

signals:
    void MouseDown(Qt::MouseButton button);
    void Click();
    void DblClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintLine(QPainter& painter);

    QStaticText line_; // the text laid out for painting
    bool glyph_ = false;
    QString caption_; // a glyph label's state
    int left_ = 0;
    int width_ = 0;
};
