#pragma once
// List boxes: a list of texts with one selected row (-1 for none), and the
// file list box that lists the normal files of a folder matching a pattern.

#include <QListView>
#include <QStringList>

#include "base/textlist.h"

class TextListModel;

class ListBox : public QListView {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent);

    int ListCount() const;
    // The text of a row; empty for a row that does not exist.
    QString List(int row) const;
    QStringList Items() const;
    const MP3Mod::TextList& Texts() const;
    // The selected row, -1 when none is.
    int ListIndex() const;
    // Selects a row (-1 selects none); a row that does not exist is refused.
    bool SetListIndex(int row);

    void AddItem(const QString& text);
    void AddItems(const QStringList& texts);
    void AddItems(MP3Mod::TextList texts);
    void RemoveItem(int row);
    void Clear();

signals:
    // A mouse press on the list, or any other change of the selected row (by
    // keys, by the program, or by rows going away).
    void Click();
    void DoubleClick();
    void MouseDown(Qt::MouseButton button);
    // A key pressed on the list, before the list's own handling of it.
    void KeyDown(int key);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The Menu key (or Shift+F10) on the list is its right-button press.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TextListModel* model_;
    void ReportSelection();

    bool pressing_ = false;
    int reported_ = -1; // the selected row last reported by Click
};

class FileListBox : public ListBox {
    Q_OBJECT
public:
    FileListBox(QWidget* parent, QString pattern);

    // The folder, absolute and without a trailing "/".
    QString Path() const { return path_; }
    // Sets the folder and lists it.
    void SetPath(const QString& folder);
    // Lists the folder again.
    void Refresh();

private:
    QString pattern_;
    QString path_;
};
