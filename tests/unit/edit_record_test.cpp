#include "tree/edit_record.h"
#include "tree_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <tuple>

namespace varnoke {
namespace {

using tree_test::BuildForest;
using tree_test::Dump;
using tree_test::NodeWithText;

// Every node in pre-order with its parent, row and text: equal only with the same nodes.
using Snapshot = std::vector<std::tuple<const Node*, const Node*, int, std::string>>;

Snapshot Snap(const Forest& forest)
{
    Snapshot snapshot;
    for (const Node* node = forest.First(); node; node = forest.Next(node))
        snapshot.emplace_back(node, node->Parent(), node->Row(), node->Text());
    EXPECT_EQ(forest.NodeCount(), static_cast<int>(snapshot.size()));
    return snapshot;
}

// Undoes and redoes twice, the forest matching the snapshots before and after each time.
void ExpectUndoRedo(EditRecord& record, Forest& forest, const Snapshot& before, const Snapshot& after)
{
    ForestEdits edits(forest);
    for (int round = 0; round < 2; ++round) {
        record.Undo(edits);
        ASSERT_EQ(Snap(forest), before) << "undo, round " << round;
        record.Redo(edits);
        ASSERT_EQ(Snap(forest), after) << "redo, round " << round;
    }
}

struct Case {
    const char* name;
    std::function<void(EditRecord&, Forest&)> action;
    std::vector<std::string> expected;
};

TEST(EditRecord, PutsTrickyEditsBackInTheirExactPlace)
{
    const std::vector<std::string> start { "a", "\tb", "\tc", "\t\tc1", "\td", "e" };
    const std::vector<Case> cases {
        { "forwards among siblings",
          [](EditRecord& record, Forest& f) {
              record.MoveTo(*NodeWithText(f, "b"), { NodeWithText(f, "a"), 2 });
          },
          { "a", "\tc", "\t\tc1", "\tb", "\td", "e" } },
        { "backwards among siblings",
          [](EditRecord& record, Forest& f) {
              record.MoveTo(*NodeWithText(f, "d"), { NodeWithText(f, "a"), 0 });
          },
          { "a", "\td", "\tb", "\tc", "\t\tc1", "e" } },
        { "to the top level",
          [](EditRecord& record, Forest& f) {
              record.MoveTo(*NodeWithText(f, "c"), { nullptr, 1 });
          },
          { "a", "\tb", "\td", "c", "\tc1", "e" } },
        { "taken with children, inserted elsewhere",
          [](EditRecord& record, Forest& f) {
              Subtree taken = record.Take(*NodeWithText(f, "c"));
              record.Insert(NodeWithText(f, "e"), 0, std::move(taken));
          },
          { "a", "\tb", "\td", "e", "\tc", "\t\tc1" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Forest forest;
        BuildForest(forest, start);
        const Snapshot before = Snap(forest);
        ForestEdits edits(forest);
        EditRecord record(edits);
        c.action(record, forest);
        EXPECT_EQ(Dump(forest), c.expected);
        ExpectUndoRedo(record, forest, before, Snap(forest));
    }
}

TEST(EditRecord, RecordsNothingForEditsThatChangeNothing)
{
    Forest forest;
    BuildForest(forest, { "a", "\tb", "c" });
    ForestEdits edits(forest);
    EditRecord record(edits);
    Node* a = NodeWithText(forest, "a");
    EXPECT_FALSE(record.SetText(*a, "a"));
    EXPECT_FALSE(record.MoveTo(*a, { nullptr, 1 }));
    EXPECT_FALSE(record.MoveTo(*a, { NodeWithText(forest, "b"), 0 }));
    EXPECT_EQ(record.Insert(nullptr, 0, Subtree()), nullptr);
    EXPECT_TRUE(record.Empty());
}

// One random edit of any kind through the record; a subtree taken is held until inserted.
void RandomEdit(EditRecord& record, Forest& forest, std::mt19937& random, std::vector<Subtree>& held)
{
    const auto pick = [&random](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
    Node* node = forest.NodeCount() ? forest.NodeAt(pick(forest.NodeCount())) : nullptr;
    Node* parent = pick(4) == 0 || !node ? nullptr : pick(2) ? node->Parent() : forest.NodeAt(pick(forest.NodeCount()));
    const int siblings = parent ? parent->ChildCount() : forest.TopLevelCount();
    const std::string text(1, static_cast<char>('a' + pick(3)));
    switch (pick(7)) {
    case 0:
        record.AddFirstTopLevel(text);
        break;
    case 1:
        record.AddLastTopLevel(text);
        break;
    case 2:
        if (node)
            record.SetText(*node, text);
        break;
    case 3:
        if (node)
            record.MoveTo(*node, { parent, pick(siblings + 2) - 1 });
        break;
    case 4:
        if (node)
            held.push_back(record.Take(*node));
        break;
    case 5:
        if (node)
            record.Delete(*node);
        break;
    default:
        if (!held.empty()) {
            record.Insert(parent, pick(siblings + 2), std::move(held.back()));
            held.pop_back();
        }
    }
}

TEST(EditRecord, UndoesAndRedoesRandomEditsWithTheSameNodes)
{
    for (unsigned seed = 0; seed < 300; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        Forest forest;
        BuildForest(forest, { "a", "\tb", "\t\tc", "\tb", "c", "\ta", "\t\tb", "\t\t\tc" });
        const Snapshot before = Snap(forest);
        ForestEdits edits(forest);
        EditRecord record(edits);
        std::vector<Subtree> held;
        for (int edit = 0; edit < 40; ++edit)
            RandomEdit(record, forest, random, held);
        for (Subtree& subtree : held)
            record.Insert(nullptr, 0, std::move(subtree));
        ExpectUndoRedo(record, forest, before, Snap(forest));
    }
}

// The node to select after an undo or a redo: the first one changed, while it is in the tree.
TEST(EditRecord, SubjectIsTheFirstNodeChangedWhileInTheTree)
{
    struct SubjectCase {
        const char* name;
        std::function<Node*(EditRecord&, Forest&)> action; // gives the node changed first
        bool afterUndo;
        bool afterRedo;
    };
    const std::vector<SubjectCase> cases {
        { "text",
          [](EditRecord& r, Forest& f) {
              Node* b = NodeWithText(f, "b");
              r.SetText(*b, "x");
              r.SetText(*NodeWithText(f, "c"), "y");
              return b;
          },
          true, true },
        { "added", [](EditRecord& r, Forest&) { return r.AddFirstTopLevel("new"); }, false, true },
        { "deleted",
          [](EditRecord& r, Forest& f) {
              Node* b = NodeWithText(f, "b");
              r.Delete(*b);
              return b;
          },
          true, false },
        { "taken and put back",
          [](EditRecord& r, Forest& f) {
              Node* b = NodeWithText(f, "b");
              r.Insert(nullptr, 0, r.Take(*b));
              return b;
          },
          true, true },
    };
    for (const SubjectCase& c : cases) {
        SCOPED_TRACE(c.name);
        Forest forest;
        BuildForest(forest, { "a", "\tb", "c" });
        ForestEdits edits(forest);
        EditRecord record(edits);
        EXPECT_EQ(record.Subject(false), nullptr);
        Node* changed = c.action(record, forest);
        record.Undo(edits);
        EXPECT_EQ(record.Subject(true), c.afterUndo ? changed : nullptr);
        record.Redo(edits);
        EXPECT_EQ(record.Subject(false), c.afterRedo ? changed : nullptr);
    }
}

} // namespace
} // namespace varnoke
