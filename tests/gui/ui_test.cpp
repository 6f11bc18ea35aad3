// The ui library on its own: the menu rule with real keys, the diagnostics list's model
// and the tree's item model, each against a plain model of what it should show.
#include "ui/diagnostics_model.h"
#include "ui/hierarchy_model.h"
#include "ui/menu_gate.h"
#include "ui/tree_model_editor.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A window with one gated menu of three items, the third added after the window is up,
// and a second menu over the same items, as a context menu is.
struct GatedWindow {
    QMainWindow window;
    QMenu* menu = nullptr;
    QMenu* second = new QMenu(&window);
    std::vector<QAction*> items;
    QStringList log; // what ran, in order: "opened", then item names
    QStringList errors; // what reached the runner
    std::vector<bool> allowed { true, true, true };
    bool throwing = false;
    MenuGate* gate = nullptr;

    GatedWindow()
    {
        gate = new MenuGate(
            [this](const MenuGate::Command& command) {
                try {
                    command();
                } catch (const std::exception& error) {
                    errors << QString::fromLatin1(error.what());
                }
            },
            &window);
        menu = window.menuBar()->addMenu(u"&Gated"_s);
        gate->AddMenu(menu, [this] {
            log << u"opened"_s;
            for (std::size_t i = 0; i < items.size(); ++i)
                items[i]->setEnabled(allowed[i]);
            if (throwing)
                throw std::runtime_error("refused");
        });
        gate->GateAlso(second, menu);
        AddItem(Qt::Key_F2);
        AddItem(Qt::Key_F3);
    }
    void AddItem(Qt::Key key)
    {
        QAction* action = menu->addAction(u"Item %1"_s.arg(items.size()));
        action->setShortcut(QKeySequence(key));
        const QString name = QString(QChar(char16_t(u'A' + items.size())));
        gate->AddItem(menu, action, [this, name] { log << name; });
        second->addAction(action);
        items.push_back(action);
    }
    bool AllEnabled() const
    {
        return std::all_of(items.begin(), items.end(), [](const QAction* item) { return item->isEnabled(); });
    }
    bool ShowActive()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }
};

// A submenu of the gated menu whose items are remade while the window is up, as a list of
// recent files is. Its own opening handler disables the items named in refused, and with
// remakeOnOpening clears and refills it with the same names first.
struct RemadeSubmenu {
    GatedWindow gated;
    QMenu* submenu = gated.menu->addMenu(u"&Recent"_s);
    QStringList refused;
    bool remakeOnOpening = false;

    RemadeSubmenu()
    {
        gated.gate->AddMenu(submenu, [this] {
            gated.log << u"sub opened"_s;
            if (remakeOnOpening)
                Refill(Names());
            for (QAction* action : submenu->actions())
                action->setEnabled(!refused.contains(action->text()));
        });
    }
    void Add(QAction* action)
    {
        gated.gate->AddItem(submenu, action, [this, name = action->text()] { gated.log << name; });
    }
    void Refill(const QStringList& names)
    {
        submenu->clear();
        for (const QString& name : names)
            Add(submenu->addAction(name));
    }
    QStringList Names() const
    {
        QStringList names;
        for (const QAction* action : submenu->actions())
            names << action->text();
        return names;
    }
};

constexpr Qt::Key kItemKeys[] = { Qt::Key_F2, Qt::Key_F3, Qt::Key_F4 };

// The tree as a list of lines in pre-order: depth, text and the node standing for it.
struct PlainLine {
    int depth;
    std::string text;
    const varnoke::Node* node;
    bool operator==(const PlainLine&) const = default;
};
using PlainTree = std::vector<PlainLine>;

QString Show(const PlainTree& tree)
{
    QString shown;
    for (const PlainLine& line : tree)
        shown += QString(line.depth, u'.') + QString::fromStdString(line.text) + u' ';
    return shown;
}

// What the model shows, read only through QAbstractItemModel.
void ReadModel(const HierarchyModel& model, const QModelIndex& parent, int depth, PlainTree& out)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        out.push_back({ depth, index.data().toString().toStdString(), model.NodeOf(index) });
        ReadModel(model, index, depth + 1, out);
    }
}

PlainTree ReadForest(const varnoke::Forest& forest)
{
    PlainTree out;
    for (const varnoke::Node* node = forest.First(); node; node = forest.Next(node)) {
        int depth = 0;
        for (const varnoke::Node* up = node->Parent(); up; up = up->Parent())
            ++depth;
        out.push_back({ depth, node->Text(), node });
    }
    return out;
}

std::size_t SubtreeEnd(const PlainTree& tree, std::size_t at)
{
    std::size_t end = at + 1;
    while (end < tree.size() && tree[end].depth > tree[at].depth)
        ++end;
    return end;
}

// Where the children of parent (-1: the top level) start and end, and their count.
struct Children {
    std::size_t begin, end;
    int depth;
};

Children ChildrenOf(const PlainTree& tree, int parent)
{
    if (parent < 0)
        return { 0, tree.size(), 0 };
    const auto at = static_cast<std::size_t>(parent);
    return { at + 1, SubtreeEnd(tree, at), tree[at].depth + 1 };
}

int ChildCount(const PlainTree& tree, int parent)
{
    const Children children = ChildrenOf(tree, parent);
    int count = 0;
    for (std::size_t at = children.begin; at < children.end; at = SubtreeEnd(tree, at))
        ++count;
    return count;
}

// Puts the lines (depths counted from 0) among parent's children at row.
void PlainInsert(PlainTree& tree, int parent, int row, PlainTree block)
{
    const Children children = ChildrenOf(tree, parent);
    std::size_t at = children.begin;
    for (int count = 0; count < row && at < children.end; ++count)
        at = SubtreeEnd(tree, at);
    for (PlainLine& line : block)
        line.depth += children.depth;
    tree.insert(tree.begin() + static_cast<std::ptrdiff_t>(at), block.begin(), block.end());
}

PlainTree PlainTake(PlainTree& tree, std::size_t at)
{
    const auto begin = tree.begin() + static_cast<std::ptrdiff_t>(at);
    const auto end = tree.begin() + static_cast<std::ptrdiff_t>(SubtreeEnd(tree, at));
    PlainTree block(begin, end);
    const int base = block.front().depth;
    for (PlainLine& line : block)
        line.depth -= base;
    tree.erase(begin, end);
    return block;
}

int IndexOfNode(const PlainTree& tree, const varnoke::Node* node)
{
    for (std::size_t i = 0; i < tree.size(); ++i) {
        if (tree[i].node == node)
            return static_cast<int>(i);
    }
    return -1;
}

// The parent's index and the row of the line at.
std::pair<int, int> PlaceOf(const PlainTree& tree, std::size_t at)
{
    int parent = static_cast<int>(at) - 1;
    while (parent >= 0 && tree[static_cast<std::size_t>(parent)].depth >= tree[at].depth)
        --parent;
    int row = 0;
    for (std::size_t sibling = ChildrenOf(tree, parent).begin; sibling < at; sibling = SubtreeEnd(tree, sibling))
        ++row;
    return { parent, row };
}

//   a        e
//     b        f
//       c    g
//     d
void BuildSmallForest(varnoke::Forest& forest)
{
    varnoke::Node* a = forest.AddLastChild(nullptr, "a");
    varnoke::Node* b = forest.AddLastChild(a, "b");
    forest.AddLastChild(b, "c");
    forest.AddLastChild(a, "d");
    forest.AddLastChild(forest.AddLastChild(nullptr, "e"), "f");
    forest.AddLastChild(nullptr, "g");
}

} // namespace

class UiTest : public QObject {
    Q_OBJECT

    // Checks that the model and the forest show the plain tree, and that every index kept
    // before the edit still finds its node, or is gone with it.
    void CheckTree(const HierarchyModel& model, const varnoke::Forest& forest, const PlainTree& plain,
                   const std::vector<std::pair<QPersistentModelIndex, const varnoke::Node*>>& kept)
    {
        PlainTree shown;
        ReadModel(model, {}, 0, shown);
        QCOMPARE(Show(shown), Show(plain));
        QVERIFY(shown == plain);
        QVERIFY(ReadForest(forest) == plain);
        QCOMPARE(forest.NodeCount(), int(plain.size()));
        for (const auto& [index, node] : kept) {
            if (IndexOfNode(plain, node) < 0) {
                QVERIFY(!index.isValid());
                continue;
            }
            QVERIFY(index.isValid());
            QCOMPARE(model.NodeOf(index), node);
            QCOMPARE(index.row(), node->Row());
            QCOMPARE(QModelIndex(index.parent()), model.IndexOf(node->Parent()));
        }
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // A key runs the menu's opening handler, then its item only if the handler left it
    // enabled; afterwards every item is enabled, so the same keys fire again.
    void menuKeys_data()
    {
        QTest::addColumn<int>("item"); // 2: the item added after the window was up
        QTest::addColumn<QList<bool>>("allowed");
        QTest::addColumn<bool>("throwing");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("enabled item") << 0 << QList { true, true, true } << false
                                      << QStringList { u"opened"_s, u"A"_s };
        QTest::newRow("second item") << 1 << QList { true, true, true } << false << QStringList { u"opened"_s, u"B"_s };
        QTest::newRow("disabled item") << 0 << QList { false, true, true } << false << QStringList { u"opened"_s };
        QTest::newRow("another item disabled")
            << 0 << QList { true, false, false } << false << QStringList { u"opened"_s, u"A"_s };
        QTest::newRow("everything disabled")
            << 1 << QList { false, false, false } << false << QStringList { u"opened"_s };
        QTest::newRow("late item enabled")
            << 2 << QList { false, false, true } << false << QStringList { u"opened"_s, u"C"_s };
        QTest::newRow("late item disabled") << 2 << QList { true, true, false } << false << QStringList { u"opened"_s };
        QTest::newRow("handler throws") << 0 << QList { true, true, true } << true << QStringList { u"opened"_s };
        QTest::newRow("handler disables, then throws")
            << 1 << QList { false, false, false } << true << QStringList { u"opened"_s };
    }
    void menuKeys()
    {
        QFETCH(int, item);
        QFETCH(QList<bool>, allowed);
        QFETCH(bool, throwing);
        QFETCH(QStringList, log);
        GatedWindow gated;
        QVERIFY(gated.ShowActive());
        gated.menu->popup(gated.window.mapToGlobal(QPoint(10, 10)));
        gated.menu->hide();
        gated.AddItem(kItemKeys[2]);
        gated.log.clear();
        gated.allowed.assign(allowed.begin(), allowed.end());
        gated.throwing = throwing;

        QTest::keyClick(&gated.window, kItemKeys[item]);
        QCOMPARE(gated.log, log);
        QCOMPARE(gated.errors, throwing ? QStringList { u"refused"_s } : QStringList {});
        QVERIFY(gated.AllEnabled());

        // Now allowed: each key, the one just refused included, reaches its item.
        gated.allowed.assign(3, true);
        gated.throwing = false;
        for (int again = 0; again < 3; ++again) {
            gated.log.clear();
            QTest::keyClick(&gated.window, kItemKeys[again]);
            QCOMPARE(gated.log, (QStringList { u"opened"_s, QString(QChar(char16_t(u'A' + again))) }));
        }
        QCOMPARE(gated.errors.size(), throwing ? 1 : 0);
    }

    // An open menu shows what its handler set; once it closes, every item is enabled.
    void menuOpen()
    {
        GatedWindow gated;
        gated.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gated.window));
        gated.AddItem(kItemKeys[2]);
        gated.allowed = { false, true, false };
        gated.menu->popup(gated.window.mapToGlobal(QPoint(10, 10)));
        QVERIFY(gated.menu->isVisible());
        QCOMPARE(gated.log, QStringList { u"opened"_s });
        QCOMPARE(gated.items[0]->isEnabled(), false);
        QCOMPARE(gated.items[1]->isEnabled(), true);
        QCOMPARE(gated.items[2]->isEnabled(), false);
        gated.menu->hide();
        QVERIFY(gated.AllEnabled());
        QCOMPARE(gated.log, QStringList { u"opened"_s });
    }

    // The second menu over the same items runs the first's opening handler as it opens and
    // shows what it set; an item chosen in either menu runs after the handler ran again,
    // only if it left the item enabled. Once either menu closes every item is enabled.
    void secondMenu_data()
    {
        QTest::addColumn<bool>("second");
        QTest::addColumn<int>("item"); // 2: the item added after the window was up
        QTest::addColumn<QList<bool>>("allowedOnOpening");
        QTest::addColumn<QList<bool>>("allowedOnChoosing");
        QTest::addColumn<QStringList>("log");
        const QList all { true, true, true };
        const QList refusingB { true, false, true };
        for (const bool second : { false, true }) {
            const char* shown = second ? "second menu" : "menu bar";
            QTest::addRow("%s, enabled item", shown)
                << second << 0 << all << all << QStringList { u"opened"_s, u"opened"_s, u"A"_s };
            QTest::addRow("%s, late item", shown)
                << second << 2 << all << all << QStringList { u"opened"_s, u"opened"_s, u"C"_s };
            QTest::addRow("%s, disabled on opening", shown)
                << second << 1 << refusingB << all << QStringList { u"opened"_s };
            QTest::addRow("%s, disabled on choosing", shown)
                << second << 1 << all << refusingB << QStringList { u"opened"_s, u"opened"_s };
        }
    }
    void secondMenu()
    {
        QFETCH(bool, second);
        QFETCH(int, item);
        QFETCH(QList<bool>, allowedOnOpening);
        QFETCH(QList<bool>, allowedOnChoosing);
        QFETCH(QStringList, log);
        GatedWindow gated;
        QVERIFY(gated.ShowActive());
        gated.AddItem(kItemKeys[2]);
        QMenu* shown = second ? gated.second : gated.menu;
        gated.allowed.assign(allowedOnOpening.begin(), allowedOnOpening.end());
        shown->popup(gated.window.mapToGlobal(QPoint(10, 10)));
        QVERIFY(shown->isVisible());
        QCOMPARE(gated.log, QStringList { u"opened"_s });
        for (std::size_t i = 0; i < gated.items.size(); ++i)
            QCOMPARE(gated.items[i]->isEnabled(), allowedOnOpening[qsizetype(i)]);

        gated.allowed.assign(allowedOnChoosing.begin(), allowedOnChoosing.end());
        shown->setActiveAction(gated.items[std::size_t(item)]);
        QTest::keyClick(shown, Qt::Key_Return);
        shown->hide(); // still open when its item could not be chosen
        QCOMPARE(gated.log, log);
        QVERIFY(gated.AllEnabled());
    }

    // Items added to a submenu later, also after it was cleared, each run once when chosen,
    // gated by the submenu's own opening handler only; items that handler removes never run.
    void submenuItems_data()
    {
        QTest::addColumn<QList<QStringList>>("fills"); // the submenu cleared and filled with each in turn
        QTest::addColumn<bool>("addedAgain"); // then each item taken out, put back and added again
        QTest::addColumn<QStringList>("refused");
        QTest::addColumn<bool>("remakeOnOpening");
        QTest::addColumn<QStringList>("ran"); // choosing each item in turn
        const QStringList ab { u"a"_s, u"b"_s };
        const QStringList bcd { u"b"_s, u"c"_s, u"d"_s };
        QTest::newRow("added later") << QList<QStringList> { ab } << false << QStringList {} << false << ab;
        QTest::newRow("cleared and refilled")
            << QList<QStringList> { ab, bcd } << false << QStringList {} << false << bcd;
        QTest::newRow("added again") << QList<QStringList> { ab } << true << QStringList {} << false << ab;
        QTest::newRow("refilled, then added again")
            << QList<QStringList> { ab, bcd } << true << QStringList {} << false << bcd;
        QTest::newRow("refused by its handler") << QList<QStringList> { ab, bcd } << false << QStringList { u"c"_s }
                                                << false << QStringList { u"b"_s, u"d"_s };
        QTest::newRow("remade by its handler")
            << QList<QStringList> { ab } << false << QStringList {} << true << QStringList {};
    }
    void submenuItems()
    {
        QFETCH(QList<QStringList>, fills);
        QFETCH(bool, addedAgain);
        QFETCH(QStringList, refused);
        QFETCH(bool, remakeOnOpening);
        QFETCH(QStringList, ran);
        RemadeSubmenu remade;
        QVERIFY(remade.gated.ShowActive());
        remade.gated.allowed.assign(3, false); // the outer menu's handler has no say here
        for (const QStringList& fill : fills)
            remade.Refill(fill);
        if (addedAgain) {
            for (QAction* action : remade.submenu->actions()) {
                remade.submenu->removeAction(action);
                remade.submenu->addAction(action);
                remade.Add(action);
            }
        }
        remade.refused = refused;
        remade.remakeOnOpening = remakeOnOpening;
        QCOMPARE(remade.Names(), fills.last());

        for (qsizetype i = 0; i < fills.last().size(); ++i) {
            remade.submenu->popup(remade.gated.window.mapToGlobal(QPoint(10, 10)));
            remade.submenu->setActiveAction(remade.submenu->actions().at(i));
            QTest::keyClick(remade.submenu, Qt::Key_Return);
            remade.submenu->hide();
        }
        QCOMPARE(remade.gated.log.filter(QRegularExpression(u"^.$"_s)), ran);
        QCOMPARE(remade.Names(), fills.last());
        for (const QAction* action : remade.submenu->actions())
            QVERIFY(action->isEnabled());
    }

    // Each row's line is the number its text begins with (none for plain entries), its
    // severity the one it was added with; the rows follow the list only at Refresh.
    void diagnosticsModel()
    {
        using varnoke::Severity;
        varnoke::Diagnostics diagnostics;
        DiagnosticsModel model(diagnostics);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
        QTest::failOnWarning(QRegularExpression(u"FAIL!"_s));
        struct Entry {
            Severity severity;
            int lineIndex;
            const char* message;
        };
        const Entry entries[] = {
            { Severity::Error, 5, "Unknown %s" },   { Severity::Warning, 0, "7 parts %s" },
            { Severity::Plain, -1, "Looks good!" }, { Severity::Plain, -1, "12 words of plain text" },
            { Severity::Error, -1, "no line %s" },  { Severity::Warning, 99998, "far %s" },
            { Severity::Error, 41, "%s" },
        };
        const auto add = [&](const Entry& entry) {
            if (entry.severity == Severity::Error)
                diagnostics.AddError(entry.lineIndex, entry.message, std::string_view("x"));
            else if (entry.severity == Severity::Warning)
                diagnostics.AddWarning(entry.lineIndex, entry.message, std::string_view("9"));
            else
                diagnostics.AddPlain(entry.message);
        };
        const auto check = [&](int count) {
            QCOMPARE(model.rowCount(), count);
            for (int row = 0; row < count; ++row) {
                const Entry& entry = entries[row % std::size(entries)];
                const QModelIndex index = model.index(row, 0);
                const QString text = index.data().toString();
                const bool plain = entry.severity == Severity::Plain;
                const int leading = plain ? 0 : text.section(u' ', 0, 0).toInt();
                QCOMPARE(index.data(DiagnosticsModel::LineRole).toInt(), leading);
                QCOMPARE(index.data(DiagnosticsModel::LineRole).toInt(), plain ? 0 : entry.lineIndex + 1);
                QCOMPARE(index.data(DiagnosticsModel::SeverityRole).toInt(), int(entry.severity));
                QVERIFY(text.contains(QString::fromLatin1(entry.message).section(u'%', 0, 0)));
            }
        };
        for (const Entry& entry : entries)
            add(entry);
        QCOMPARE(model.rowCount(), 0); // made before the entries came
        model.Refresh();
        check(int(std::size(entries)));
        add(entries[0]);
        add(entries[1]);
        check(int(std::size(entries)));
        model.Refresh();
        check(int(std::size(entries)) + 2);

        diagnostics.Clear();
        QCOMPARE(model.rowCount(), int(std::size(entries)) + 2);
        for (int row = 0; row < model.rowCount(); ++row) {
            for (const int role :
                 { int(Qt::DisplayRole), int(DiagnosticsModel::LineRole), int(DiagnosticsModel::SeverityRole) })
                QVERIFY(!model.index(row, 0).data(role).isValid());
        }
        model.Refresh();
        QCOMPARE(model.rowCount(), 0);
    }

    // Random edits of a small tree through the model, against a plain list of lines: what
    // the model shows, what each edit says it changed, and the indexes views hold.
    void hierarchyModel_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 40; ++seed)
            QTest::addRow("seed %u", seed) << seed;
    }
    void hierarchyModel()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        varnoke::Forest forest;
        BuildSmallForest(forest);
        HierarchyModel model(forest);
        TreeModelEditor editor(forest, model);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
        QTest::failOnWarning(QRegularExpression(u"FAIL!"_s));
        QList<QModelIndex> changedIndexes;
        connect(&model, &QAbstractItemModel::dataChanged, this,
                [&](const QModelIndex& from, const QModelIndex& to) { changedIndexes << from << to; });
        PlainTree plain = ReadForest(forest);
        std::vector<std::pair<varnoke::Subtree, PlainTree>> taken;
        const char* texts[] = { "a", "b", "x", "y" };

        for (int step = 0; step < 150; ++step) {
            std::vector<std::pair<QPersistentModelIndex, const varnoke::Node*>> kept;
            for (const PlainLine& line : plain)
                kept.emplace_back(model.IndexOf(line.node), line.node);
            const PlainTree before = plain;
            const int size = int(plain.size());
            const auto anyNode = [&] { return random.bounded(size); };
            const std::string text = texts[random.bounded(int(std::size(texts)))];
            const int operation = random.bounded(7);
            changedIndexes.clear();
            if (operation == 0 && size > 0) {
                const int at = anyNode();
                varnoke::Node& node = *const_cast<varnoke::Node*>(plain[std::size_t(at)].node);
                plain[std::size_t(at)].text = text;
                QCOMPARE(editor.SetText(node, text), plain != before);
                const QModelIndex index = model.IndexOf(&node);
                QCOMPARE(changedIndexes, (plain != before ? QList { index, index } : QList<QModelIndex> {}));
            } else if (operation == 1 || operation == 2) {
                const varnoke::Node* added
                    = operation == 1 ? editor.AddFirstTopLevel(text) : editor.AddLastTopLevel(text);
                plain.insert(operation == 1 ? plain.begin() : plain.end(), PlainLine { 0, text, added });
            } else if ((operation == 3 || operation == 4) && size > 0) {
                const auto at = std::size_t(anyNode());
                const auto target = std::size_t(anyNode());
                const varnoke::Node* node = plain[at].node;
                const varnoke::Node* targetNode = plain[target].node;
                const auto mode = operation == 3 ? varnoke::amAddChild : varnoke::amInsert;
                if (target < at || target >= SubtreeEnd(plain, at)) {
                    PlainTree block = PlainTake(plain, at);
                    const int targetAt = IndexOfNode(plain, targetNode);
                    if (mode == varnoke::amAddChild) {
                        PlainInsert(plain, targetAt, ChildCount(plain, targetAt), std::move(block));
                    } else {
                        const auto [parent, row] = PlaceOf(plain, std::size_t(targetAt));
                        PlainInsert(plain, parent, row, std::move(block));
                    }
                }
                QCOMPARE(editor.Move(*const_cast<varnoke::Node*>(node), *const_cast<varnoke::Node*>(targetNode), mode),
                         plain != before);
            } else if (operation == 5 && size > 0 && taken.size() < 3) {
                const auto at = std::size_t(anyNode());
                const varnoke::Node* node = plain[at].node;
                PlainTree block = PlainTake(plain, at);
                varnoke::Subtree subtree = editor.Take(*const_cast<varnoke::Node*>(node));
                QCOMPARE(subtree.Root(), node);
                QCOMPARE(subtree.NodeCount(), int(block.size()));
                taken.emplace_back(std::move(subtree), std::move(block));
            } else if (operation == 6 && !taken.empty()) {
                const auto which = std::size_t(random.bounded(int(taken.size())));
                auto [subtree, block] = std::move(taken[which]);
                taken.erase(taken.begin() + std::ptrdiff_t(which));
                const int parent = random.bounded(-1, size);
                const int row = random.bounded(ChildCount(plain, parent) + 1);
                const varnoke::Node* root = subtree.Root();
                PlainInsert(plain, parent, row, std::move(block));
                varnoke::Node* parentNode
                    = parent < 0 ? nullptr : const_cast<varnoke::Node*>(before[std::size_t(parent)].node);
                QCOMPARE(editor.Insert(parentNode, row, std::move(subtree)), root);
            }
            CheckTree(model, forest, plain, kept);
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Each node taken and put back at its parent and row leaves the tree exactly as it was.
    void takeThenInsertRestores()
    {
        varnoke::Forest forest;
        BuildSmallForest(forest);
        HierarchyModel model(forest);
        TreeModelEditor editor(forest, model);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
        QTest::failOnWarning(QRegularExpression(u"FAIL!"_s));
        const PlainTree original = ReadForest(forest);
        for (const PlainLine& line : original) {
            std::vector<std::pair<QPersistentModelIndex, const varnoke::Node*>> kept;
            for (const PlainLine& other : original) {
                if (!varnoke::Forest::IsInSubtree(other.node, line.node))
                    kept.emplace_back(model.IndexOf(other.node), other.node);
            }
            varnoke::Node& node = *const_cast<varnoke::Node*>(line.node);
            varnoke::Node* parent = node.Parent();
            const int row = node.Row();
            varnoke::Subtree subtree = editor.Take(node);
            QVERIFY(subtree);
            QCOMPARE(editor.Insert(parent, row, std::move(subtree)), line.node);
            CheckTree(model, forest, original, kept);
        }
    }
};

QTEST_MAIN(UiTest)
#include "ui_test.moc"
