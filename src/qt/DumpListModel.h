#pragma once

#include "model/DumpList.h"
#include "window/BlockMapGeometry.h"
#include "window/FollowOnMarks.h"

#include <vector>

#include <QAbstractListModel>

// Shows a dump list to a Qt view, one row per dump line, and mirrors its changes. A row's
// display text is its dump line exactly as the list holds it; its character column (the
// line's bytes as characters, as hex viewers show them) and whether it is marked as not
// following on are roles of their own, for display only; a row's tooltip, and what a
// screen reader says of it, names the listing's labels inside it and gives the warning of
// its mark.
//
// A reader appends up to 32767 lines in one go, so appended lines are not announced to
// the view one by one: they are gathered and announced together by ShowPendingLines,
// which the window calls when a command ends and before any dialog opens. Replaced
// lines (Change ORG rewrites every line's address) are gathered the same way.
class DumpListModel : public QAbstractListModel, public DumpListObserver {
    Q_OBJECT

public:
    // A row's character column (CharacterColumn).
    static constexpr int CharactersRole = Qt::UserRole + 1;
    // Whether the row is marked as not following on from the bytes before it.
    static constexpr int MarkedRole = Qt::UserRole + 2;

    explicit DumpListModel(DumpList& lines, QObject* parent = nullptr);
    ~DumpListModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Announces the gathered changes. Returns true when rows were added.
    bool ShowPendingLines();

    // Marks the rows where the runs of `block`'s layout after the first start, and names
    // its labels; neither without a block.
    void ShowBlock(const MappedBlock* block);

    // The row whose line is the longest, for sizing every row alike; -1 when empty.
    int WidestRow() const { return widestRow_; }

    void LinesCleared() override;
    void LineAppended(int index) override;
    void LineReplaced(int index) override;

private:
    void NoteWidth(int index);

    DumpList& lines_;
    FollowOnMarks marks_;
    std::vector<Label> labels_;
    int shownRows_ = 0;  // rows the view knows of
    int widestRow_ = -1;
    int changedFirst_ = -1;  // rows replaced since the last announcement
    int changedLast_ = -1;
};
