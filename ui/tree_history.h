#pragma once

#include "tree/edit_record.h"

#include <QString>
#include <QUndoStack>

#include <memory>

// The steps of tree edits that Undo and Redo walk, each one user action under its name.
// A step points into the tree: whatever rebuilds the tree clears the history first.
// Whoever owns the tree owns the history, and sets its own state around each walk.
class TreeHistory final {
public:
    // Undo and Redo change the tree through tree, whose views hear of every row.
    explicit TreeHistory(varnoke::TreeEdits& tree);

    // A step already made on the tree: kept, not made again.
    void Add(const QString& name, std::unique_ptr<varnoke::EditRecord> step);
    // The step undone or redone; none when there was none.
    const varnoke::EditRecord* Undo();
    const varnoke::EditRecord* Redo();
    bool CanUndo() const { return stack_.canUndo(); }
    bool CanRedo() const { return stack_.canRedo(); }
    // The names of the steps Undo and Redo would walk; empty when there is none.
    QString UndoName() const { return stack_.undoText(); }
    QString RedoName() const { return stack_.redoText(); }
    // The Undo and Redo items' hints, naming the steps they would walk.
    QString UndoHint() const;
    QString RedoHint() const;
    int Count() const { return stack_.count(); }
    void Clear() { stack_.clear(); }

private:
    const varnoke::EditRecord* StepAt(int index) const;

    varnoke::TreeEdits& tree_;
    QUndoStack stack_;
};
