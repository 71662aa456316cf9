#include "controls/listbox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringListModel>

#include "base/files.h"

ListBox::ListBox(QWidget* parent) : QListView(parent), model_(new QStringListModel(this)) {
    setModel(model_);
    setUniformItemSizes(true); // keeps lists of 100,000 songs cheap to lay out
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every change of the selected row reports a click, whatever made it:
    // keys, code, a Ctrl+click that clears it, or a change of the rows.
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ListBox::ReportSelection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ListBox::ReportSelection);
    connect(model_, &QAbstractItemModel::modelReset, this, &ListBox::ReportSelection);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, &ListBox::ReportSelection);
}

void ListBox::ReportSelection() {
    if (pressing_ || ListIndex() == reported_)
        return;
    reported_ = ListIndex();
    emit Click();
}

int ListBox::ListCount() const {
    return int(model_->rowCount());
}

QString ListBox::List(int row) const {
    return model_->index(row).data().toString();
}

QStringList ListBox::Items() const {
    return model_->stringList();
}

int ListBox::ListIndex() const {
    const QModelIndex current = currentIndex();
    return current.isValid() && selectionModel()->isSelected(current) ? current.row() : -1;
}

bool ListBox::SetListIndex(int row) {
    if (row < -1 || row >= ListCount())
        return false;
    if (row == -1) {
        selectionModel()->clear();
        return true;
    }
    setCurrentIndex(model_->index(row));
    return true;
}

void ListBox::AddItem(const QString& text) {
    const int row = ListCount();
    model_->insertRows(row, 1);
    model_->setData(model_->index(row), text);
}

void ListBox::AddItems(const QStringList& texts) {
    if (ListCount() == 0)
        model_->setStringList(texts);
    else
        model_->setStringList(model_->stringList() + texts);
}

void ListBox::RemoveItem(int row) {
    if (row >= 0 && row < ListCount())
        model_->removeRows(row, 1);
}

void ListBox::Clear() {
    model_->setStringList({});
}

void ListBox::mousePressEvent(QMouseEvent* event) {
    emit MouseDown(event->button());
    if (event->button() != Qt::LeftButton)
        return; // only the left button selects
    // One Click a press, also on the selected row or below the last one.
    pressing_ = true;
    QListView::mousePressEvent(event);
    if (!indexAt(event->position().toPoint()).isValid())
        SetListIndex(-1); // a press below the last row selects nothing
    pressing_ = false;
    reported_ = ListIndex();
    emit Click();
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    emit KeyDown(event->key());
    QListView::keyPressEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit DoubleClick();
}

FileListBox::FileListBox(QWidget* parent, QString pattern)
    : ListBox(parent), pattern_(std::move(pattern)) {}

void FileListBox::SetPath(const QString& folder) {
    path_ = MP3Mod::NormalizedFolder(folder);
    Refresh();
}

void FileListBox::Refresh() {
    Clear();
    AddItems(MP3Mod::ListNormalFiles(path_, pattern_));
}
