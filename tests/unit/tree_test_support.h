#pragma once

#include "hierarchy/forest.h"
#include "tree/dialog_refusal.h"

#include <gtest/gtest.h>
#include <optional>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace varnoke::tree_test {

// Builds a forest from lines whose leading tabs give each node's depth.
inline void BuildForest(Forest& forest, const std::vector<std::string>& lines)
{
    std::vector<Node*> open;
    for (const std::string& line : lines) {
        const std::size_t depth = std::min(line.find_first_not_of('\t'), line.size());
        open.resize(std::min(open.size(), depth));
        open.push_back(forest.AddLastChild(open.empty() ? nullptr : open.back(), line.substr(depth)));
    }
}

// The forest as lines, one tab per depth: the form BuildForest reads.
inline std::vector<std::string> Dump(const Forest& forest)
{
    std::vector<std::string> lines;
    for (const Node* node = forest.First(); node; node = forest.Next(node)) {
        std::string line;
        for (const Node* parent = node->Parent(); parent; parent = parent->Parent())
            line += '\t';
        lines.push_back(line + node->Text());
    }
    return lines;
}

// The first node in absolute order whose text is exactly the given one.
inline Node* NodeWithText(Forest& forest, std::string_view text)
{
    for (Node* node = forest.First(); node; node = forest.Next(node)) {
        if (node->Text() == text)
            return node;
    }
    return nullptr;
}

// A dialog check that refused, with the message and the field it is about.
template <typename Field>
void ExpectRefused(const std::optional<Refusal<Field>>& refusal, const std::string& message, Field field)
{
    ASSERT_TRUE(refusal.has_value()) << message;
    EXPECT_EQ(refusal->message, message);
    EXPECT_EQ(refusal->field, field);
}

} // namespace varnoke::tree_test
