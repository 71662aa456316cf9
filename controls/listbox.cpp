#include "controls/listbox.h"

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QMouseEvent>

#include "base/files.h"
#include "controls/popups.h"

// The rows of a list box, kept as one compact text list rather than an
// object or string a row.
class TextListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    const MP3Mod::TextList& Texts() const { return texts_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(texts_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!checkIndex(index, CheckIndexOption::IndexIsValid) ||
            (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        // A name's bytes that are not UTF-8 are drawn as U+FFFD, as everywhere.
        const QString text = texts_.at(index.row());
        return role == Qt::DisplayRole ? MP3Mod::ShownFileName(text) : text;
    }

    void Append(MP3Mod::TextList texts) {
        if (texts.isEmpty())
            return;
        const int first = int(texts_.size());
        beginInsertRows({}, first, first + int(texts.size()) - 1);
        texts_.append(std::move(texts));
        endInsertRows();
    }
    void Remove(int row) {
        beginRemoveRows({}, row, row);
        texts_.removeAt(row);
        endRemoveRows();
    }
    void Clear() {
        beginResetModel();
        texts_.clear();
        endResetModel();
    }

private:
    MP3Mod::TextList texts_;
};

ListBox::ListBox(QWidget* parent) : QListView(parent), model_(new TextListModel(this)) {
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
    return row >= 0 && row < ListCount() ? model_->Texts().at(row) : QString();
}

QStringList ListBox::Items() const {
    return model_->Texts().toStringList();
}

const MP3Mod::TextList& ListBox::Texts() const {
    return model_->Texts();
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
    MP3Mod::TextList row;
    row.append(text);
    model_->Append(std::move(row));
}

void ListBox::AddItems(const QStringList& texts) {
    model_->Append(MP3Mod::TextList(texts));
}

void ListBox::AddItems(MP3Mod::TextList texts) {
    model_->Append(std::move(texts));
}

void ListBox::RemoveItem(int row) {
    if (row >= 0 && row < ListCount())
        model_->Remove(row);
}

void ListBox::Clear() {
    model_->Clear();
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

void ListBox::contextMenuEvent(QContextMenuEvent* event) {
    MP3Mod::AnswerMenuKey(*event, [this] { emit MouseDown(Qt::RightButton); });
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
