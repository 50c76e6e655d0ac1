#include "qt/DumpListModel.h"

#include "qt/QtStrings.h"
#include "window/DumpListText.h"

#include <algorithm>

DumpListModel::DumpListModel(DumpList& lines, QObject* parent) : QAbstractListModel(parent), lines_(lines)
{
    lines_.SetObserver(this);
    shownRows_ = lines_.Count();
    for (int row = 0; row < shownRows_; ++row) {
        LineAppended(row);
    }
}

DumpListModel::~DumpListModel()
{
    lines_.SetObserver(nullptr);
}

int DumpListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shownRows_;
}

QVariant DumpListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= shownRows_) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return DumpTextToQt(lines_.Line(index.row()));
        case CharactersRole:
            return DumpTextToQt(CharacterColumn(lines_.Line(index.row())));
        case MarkedRole:
            return marks_.IsMarked(index.row());
        case Qt::AccessibleDescriptionRole:
            return QString::fromStdString(
                DumpLineDescription(marks_, labels_, lines_.Line(index.row()), index.row()));
        case Qt::ToolTipRole: {
            const std::string tip = DumpLineToolTip(marks_, labels_, lines_.Line(index.row()), index.row());
            return tip.empty() ? QVariant() : QVariant(QString::fromStdString(tip));
        }
        default:
            return {};
    }
}

bool DumpListModel::ShowPendingLines()
{
    if (changedFirst_ >= 0) {
        emit dataChanged(index(changedFirst_), index(changedLast_), {Qt::DisplayRole});
        changedFirst_ = changedLast_ = -1;
    }
    const int count = lines_.Count();
    if (count <= shownRows_) {
        return false;
    }
    beginInsertRows(QModelIndex(), shownRows_, count - 1);
    shownRows_ = count;
    endInsertRows();
    return true;
}

void DumpListModel::ShowBlock(const MappedBlock* block)
{
    if (block != nullptr) {
        marks_.Show(block->layout);
        labels_ = block->labels;
    } else {
        marks_.Clear();
        labels_.clear();
    }
    if (shownRows_ > 0) {
        emit dataChanged(index(0), index(shownRows_ - 1),
                         {MarkedRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole});
    }
}

void DumpListModel::LinesCleared()
{
    beginResetModel();
    shownRows_ = 0;
    widestRow_ = -1;
    changedFirst_ = changedLast_ = -1;
    endResetModel();
}

void DumpListModel::LineAppended(int index)
{
    NoteWidth(index);
}

void DumpListModel::LineReplaced(int index)
{
    if (index >= shownRows_) {
        return;  // not shown yet: it shows with its new text when announced
    }
    NoteWidth(index);
    changedFirst_ = changedFirst_ < 0 ? index : std::min(changedFirst_, index);
    changedLast_ = std::max(changedLast_, index);
}

void DumpListModel::NoteWidth(int index)
{
    if (widestRow_ < 0 || lines_.Line(index).size() > lines_.Line(widestRow_).size()) {
        widestRow_ = index;
    }
}
