#pragma once
// A label that reports the mouse (presses, clicks, double-clicks) and keeps
// its place in exact twips. A glyph label holds one character as its caption
// (its state) and shows a symbol for it.

#include <optional>

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
    // What presses a button label: the click or the double-click that its
    // mouse handler takes.
    enum class Press { Click, DblClick };

    // Shows its text as plain text: names, paths and tags are never markup.
    // Given a press, the label is a button for the keyboard and assistive
    // tools from the start: Tab reaches it, and Space, Enter or a tool's
    // press action give that press.
    Label(const QString& text, QWidget* parent, std::optional<Press> press = std::nullopt);

    // The caption: the text shown, or a glyph label's state character.
    QString Caption() const { return glyph_ ? caption_ : text(); }
    void SetCaption(const QString& caption);
    void SetGlyph(bool glyph);

    int Left() const { return left_; }
    int Width() const { return width_; }
    void SetLeft(int twips);
    void SetWidth(int twips);
    void SetGeometryTwips(int left, int top, int width, int height);

    bool Pressable() const { return press_.has_value(); }
    // Gives the press, as Space or a tool's press action does.
    void Activate();

signals:
    void MouseDown(Qt::MouseButton button);
    void Click();
    void DblClick();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void PaintLine(QPainter& painter);

    QStaticText line_; // the text laid out for painting
    bool glyph_ = false;
    QString caption_; // a glyph label's state
    int left_ = 0;
    int width_ = 0;
    std::optional<Press> press_;
    bool keyboardFocus_ = false; // the focus came from the keyboard: drawn
};
