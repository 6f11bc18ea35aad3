#include "ui/tree_history.h"

namespace {

class TreeStep final : public QUndoCommand {
public:
    TreeStep(const QString& name, std::unique_ptr<varnoke::EditRecord> step, varnoke::TreeEdits& tree)
        : QUndoCommand(name)
        , step_(std::move(step))
        , tree_(tree)
    {
    }

    const varnoke::EditRecord& Step() const { return *step_; }

    void undo() override { step_->Undo(tree_); }
    void redo() override
    {
        // The stack redoes a step as it takes it; the edits are made already.
        if (made_)
            step_->Redo(tree_);
        made_ = true;
    }

private:
    std::unique_ptr<varnoke::EditRecord> step_;
    varnoke::TreeEdits& tree_;
    bool made_ = false;
};

QString Hint(const QString& what, const QString& step)
{
    return step.isEmpty() ? what : what + QStringLiteral(": ") + step;
}

} // namespace

QString TreeHistory::UndoHint() const
{
    return Hint(QStringLiteral("Undo the last change to the tree"), UndoName());
}

QString TreeHistory::RedoHint() const
{
    return Hint(QStringLiteral("Redo the last undone change to the tree"), RedoName());
}

TreeHistory::TreeHistory(varnoke::TreeEdits& tree)
    : tree_(tree)
{
}

void TreeHistory::Add(const QString& name, std::unique_ptr<varnoke::EditRecord> step)
{
    stack_.push(new TreeStep(name, std::move(step), tree_));
}

const varnoke::EditRecord* TreeHistory::StepAt(int index) const
{
    return &static_cast<const TreeStep*>(stack_.command(index))->Step();
}

const varnoke::EditRecord* TreeHistory::Undo()
{
    if (!CanUndo())
        return nullptr;
    stack_.undo();
    return StepAt(stack_.index());
}

const varnoke::EditRecord* TreeHistory::Redo()
{
    if (!CanRedo())
        return nullptr;
    stack_.redo();
    return StepAt(stack_.index() - 1);
}
