#include "ui/menu_gate.h"

#include <QAction>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QScopeGuard>

#include <algorithm>

struct MenuGate::Gate {
    Command opened;
    QList<QPointer<QMenu>> menus; // the gated menu and every other menu showing its items

    bool Shown() const
    {
        return std::any_of(menus.begin(), menus.end(), [](const QMenu* menu) { return menu && menu->isVisible(); });
    }
    void EnableItems() const
    {
        for (const QMenu* menu : menus) {
            if (!menu)
                continue;
            for (QAction* action : menu->actions())
                action->setEnabled(true);
        }
    }
};

MenuGate::MenuGate(Runner runner, QObject* parent)
    : QObject(parent)
    , runner_(std::move(runner))
{
}

void MenuGate::AddMenu(QMenu* menu, Command opened)
{
    if (!opened)
        return;
    const auto gate = std::make_shared<Gate>(Gate { std::move(opened), {} });
    gates_.insert(menu, gate);
    // Another menu may come to live at the same address.
    connect(menu, &QObject::destroyed, this, [this, menu] { gates_.remove(menu); });
    Attach(menu, gate);
}

void MenuGate::GateAlso(QMenu* second, QMenu* first)
{
    if (const std::shared_ptr<Gate> gate = gates_.value(first))
        Attach(second, gate);
}

void MenuGate::Attach(QMenu* menu, const std::shared_ptr<Gate>& gate)
{
    gate->menus.append(menu);
    connect(menu, &QMenu::aboutToShow, this, [this, gate] { runner_(gate->opened); });
    connect(menu, &QMenu::aboutToHide, this, [gate] { gate->EnableItems(); });
}

void MenuGate::AddItem(QMenu* menu, QAction* action, Command command)
{
    disconnect(action, &QAction::triggered, this, nullptr);
    connect(action, &QAction::triggered, this,
            [this, menu = QPointer<QMenu>(menu), item = QPointer<QAction>(action), command] {
                const std::shared_ptr<Gate> gate = gates_.value(menu.data());
                runner_([&] {
                    const auto allowed = [&] {
                        if (!gate)
                            return true;
                        // A closed menu's items answer their keys again, whatever the handler left or threw.
                        const auto enableAgain = qScopeGuard([&] {
                            if (!gate->Shown())
                                gate->EnableItems();
                        });
                        gate->opened();
                        return item && item->isEnabled();
                    };
                    if (allowed())
                        command();
                });
            });
}
