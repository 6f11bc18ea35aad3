#pragma once

#include <QHash>
#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QMenu;

// How the menus decide what may run.
//
// A menu may have an opening handler, which enables and checks its items. It runs when
// the menu opens, and again before any of the menu's items acts, whether chosen in the
// open menu or by its key: the item then acts only if the handler left it enabled. A
// submenu is a menu of its own here: its opening handler, if any, gates its items.
//
// Our addition: a disabled action answers no key at all, so once a menu closes all its
// items are enabled again. Their keys keep reaching the gate, which asks the opening
// handler each time. Every item of a gated menu goes through here, items added later
// included, so no item keeps a state of its own that the opening handler cannot set.
// An item the opening handler removes does not act: a handler that remakes its items
// (a list of recent files) leaves them alone while they are still current.
class MenuGate final : public QObject {
    Q_OBJECT

public:
    using Command = std::function<void()>;
    // Runs one user command: the window shows what it throws and goes on.
    using Runner = std::function<void(const Command&)>;

    explicit MenuGate(Runner runner, QObject* parent = nullptr);

    // The menu runs opened as it opens and before each of its items acts; none: no gate.
    void AddMenu(QMenu* menu, Command opened = {});
    // Another menu showing actions of first, already added (a context menu): opening it runs
    // first's handler, closing it enables first's items again, and its items act as first's.
    void GateAlso(QMenu* second, QMenu* first);
    // The item of the menu runs its command when triggered, if the menu's gate lets it. An
    // action added again has only its last command.
    void AddItem(QMenu* menu, QAction* action, Command command);

private:
    struct Gate;

    // Opening the menu runs the gate's handler; closing it enables the gate's items again.
    void Attach(QMenu* menu, const std::shared_ptr<Gate>& gate);

    Runner runner_;
    QHash<const QMenu*, std::shared_ptr<Gate>> gates_; // by the menu whose items it gates
};
