#include "hierarchy/forest.h"
#include "hierarchy/line_format.h"
#include "hierarchy/node_by_name.h"
#include "hierarchy/part_index.h"

#include <random>
#include <vector>

#include <gtest/gtest.h>

using namespace varnoke;

namespace {

// The part name of the node's parent as the walk sees it.
std::optional<std::string> ParentNameOf(const Node& node)
{
    return node.Parent() ? PartNameOfText(node.Parent()->Text()) : std::nullopt;
}

} // namespace

// The index against the walk over a forest grown the same way as a test grows it: level
// nodes into the open levels, other lines appended at the top level while levels are open.
TEST(PartIndex, FindsWhatTheWalkFinds)
{
    const std::vector<std::string> names = { "hip", "Hip", "chest", "a23456789012345678901234567890123456789x" };
    const std::vector<std::string> firstWords = { "1", "#", "ikChain", "2", "#x", "" };
    std::mt19937 random(12345);
    const auto pick = [&random](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    for (int round = 0; round < 200; ++round) {
        Forest forest;
        PartIndex index;
        struct Open {
            Node* node;
            int part;
            int topRow;
        };
        std::vector<Open> open;
        int topLevelCount = 0;
        for (int step = 0; step < 40; ++step) {
            std::string text = pick(firstWords) + " " + pick(names);
            if (random() % 8 == 0)
                text = pick(firstWords); // one word or none: no part name
            const int kind = static_cast<int>(random() % 4);
            if (kind == 0 && !open.empty()) {
                open.resize(random() % open.size()); // a level line closes some levels
            } else if (kind == 1) {
                forest.AddLastChild(nullptr, text);
                index.AddTopLevelNode(text, topLevelCount++);
            } else {
                const Open* parent = open.empty() ? nullptr : &open.back();
                Node* node = forest.AddLastChild(parent ? parent->node : nullptr, text);
                const int topRow = parent ? parent->topRow : topLevelCount++;
                open.push_back({ node, index.AddLevelNode(text, parent ? parent->part : -1, topRow), topRow });
            }
            for (const std::string& name : names) {
                const Node* expected = FindPartNode(forest, name);
                const int found = index.Find(name);
                ASSERT_EQ(found >= 0, expected != nullptr) << name << " at step " << step << " of round " << round;
                if (expected) {
                    const std::optional<std::string_view> parentName = index.ParentName(found);
                    EXPECT_EQ(parentName ? std::optional<std::string>(*parentName) : std::nullopt,
                              ParentNameOf(*expected))
                        << name;
                }
            }
        }
    }
}
