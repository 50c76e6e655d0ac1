#include "window/DumpListModel.h"

#include "model/HexText.h"
#include "model/TextUtil.h"
#include "window/QtStrings.h"

#include <algorithm>

namespace {

// The bytes of a dump line, read as the writer reads them, as characters.
QString CharacterColumn(std::string_view line)
{
    const std::string_view text = TrimSpaces(LineByteText(line));
    QString characters(static_cast<qsizetype>(HexByteCount(text)), QLatin1Char('.'));
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const std::uint32_t byte = HexPairAt(text, 3 * static_cast<std::size_t>(i));
        if (byte >= 0x20 && byte < 0x7F) {
            characters[i] = QLatin1Char(static_cast<char>(byte));
        }
    }
    return characters;
}

}  // namespace

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
    if ((role != Qt::DisplayRole && role != CharactersRole) || !index.isValid() ||
        index.row() >= shownRows_) {
        return {};
    }
    const std::string_view line = lines_.Line(index.row());
    return role == CharactersRole ? CharacterColumn(line) : DumpTextToQt(line);
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
