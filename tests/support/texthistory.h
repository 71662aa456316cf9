#pragma once
// Records each text a label shows while a command runs, by looking at it
// every millisecond; consecutive repeats are kept once.

#include <QStringList>
#include <QTimer>

#include "controls/label.h"

class TextHistory {
public:
    explicit TextHistory(const QLabel* label) : label_(label) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { note(label_->text()); });
        note(label_->text());
        timer_.start(1);
    }
    // The texts shown after the first one, up to the one shown now.
    QStringList changes() {
        note(label_->text());
        return texts_.mid(1);
    }

private:
    void note(const QString& text) {
        if (texts_.isEmpty() || texts_.last() != text)
            texts_.append(text);
    }

    const QLabel* label_;
    QTimer timer_;
    QStringList texts_;
};
