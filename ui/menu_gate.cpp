#include "ui/menu_gate.h"

#include <QAction>
#include <QMenu>
#include <QScopeGuard>

namespace {

void EnableItems(const QMenu* menu)
{
    for (QAction* action : menu->actions())
        action->setEnabled(true);
}

} // namespace

MenuGate::MenuGate(Runner runner, QObject* parent)
    : QObject(parent)
    , runner_(std::move(runner))
{
}

void MenuGate::AddMenu(QMenu* menu, Command opened)
{
    if (!opened)
        return;
    opened_.insert(menu, opened);
    connect(menu, &QMenu::aboutToShow, this, [this, opened] { runner_(opened); });
    connect(menu, &QMenu::aboutToHide, this, [menu] { EnableItems(menu); });
}

void MenuGate::AddItem(QMenu* menu, QAction* action, Command command)
{
    connect(action, &QAction::triggered, this, [this, menu, action, command] {
        const Command opened = opened_.value(menu);
        runner_([&] {
            const auto allowed = [&] {
                if (!opened)
                    return true;
                // A closed menu's items answer their keys again, whatever the handler left or threw.
                const auto enableAgain = qScopeGuard([menu] {
                    if (!menu->isVisible())
                        EnableItems(menu);
                });
                opened();
                return action->isEnabled();
            };
            if (allowed())
                command();
        });
    });
}
