#include "hierarchy/deferred_lines.h"
#include "hierarchy/generation.h"
#include "hierarchy/hierarchy_check.h"
#include "hierarchy/progress.h"
#include "temp_poser_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using namespace varnoke;
using Lines = std::vector<std::string>;

namespace {

// Records every report and stops the work at the given one (none: never).
class Listener final : public Progress {
public:
    explicit Listener(int stopAt = -1)
        : stopAt_(stopAt)
    {
    }
    bool Report(Step step, std::string_view what, std::uint64_t done, std::uint64_t total) override
    {
        reports.push_back({ step, std::string(what), done, total });
        return static_cast<int>(reports.size()) != stopAt_;
    }
    struct Seen {
        Step step;
        std::string what;
        std::uint64_t done;
        std::uint64_t total;
    };
    std::vector<Seen> reports;

private:
    int stopAt_;
};

// A hierarchy of many indented level lines below an objFile line.
Lines ManyLines(int count)
{
    Lines lines { "objFile :Runtime:Geometries:fig:big.obj", "1 hip yzx" };
    for (int i = 0; i < count; ++i)
        lines.push_back("  #note " + std::to_string(i));
    return lines;
}

} // namespace

// Held rewrites read back as made, keep to their lines when lines are inserted, reach
// the lines only through Apply and go with ReplaceAll.
TEST(DeferredLines, RewritesWaitForApply)
{
    LineList lines(Lines { "a", "b", "c", "d" });
    DeferredLines deferred(lines);
    deferred.Replace(3, "D");
    deferred.Replace(1, "B");
    deferred.Replace(1, "BB");
    EXPECT_EQ(deferred.Line(1), "BB");
    EXPECT_EQ(deferred.Line(2), "c");
    EXPECT_EQ(lines.Lines(), (Lines { "a", "b", "c", "d" }));
    deferred.Insert(2, { "new" });
    EXPECT_EQ(deferred.Line(4), "D");
    deferred.Apply();
    EXPECT_EQ(lines.Lines(), (Lines { "a", "BB", "new", "c", "D" }));
    EXPECT_EQ(lines.ReplacedCount(), 2);
    deferred.Replace(0, "A");
    deferred.ReplaceAll({ "x" });
    deferred.Apply();
    EXPECT_EQ(lines.Lines(), Lines { "x" });
}

// A test hears of its lines and of the OBJ files it reads, every so often, and stops
// when told: the lines behind held rewrites are as they were. Without a listener, or
// with one that never stops, the result is the same.
TEST(Progress, TestReportsAndStops)
{
    varnoke::testing::TempPoserFolder folder;
    std::string obj = "g hip\n";
    obj.append(std::size_t { 9 } << 20, '#');
    const std::string objPath = folder.WriteGeometry("fig/big.obj", obj);
    const Lines text = ManyLines(20'000);

    Listener none;
    std::vector<Lines> results;
    for (Listener* listener : { static_cast<Listener*>(nullptr), &none }) {
        GeometryFolders folders;
        folders.poserFolder = folder.Path();
        folders.progress = listener;
        CheckState state;
        LineList lines(text);
        Forest tree;
        EXPECT_TRUE(TestHierarchy(state, folders, lines, tree, "figure.phi"));
        results.push_back(lines.Lines());
    }
    EXPECT_EQ(results[0], results[1]);
    EXPECT_NE(results[0], text);
    ASSERT_GE(none.reports.size(), 6u);
    EXPECT_EQ(none.reports[0].step, Progress::Step::ReadingFile);
    EXPECT_EQ(none.reports[0].total, obj.size());
    EXPECT_EQ(none.reports.back().step, Progress::Step::TestingLines);
    EXPECT_EQ(none.reports.back().what, "figure.phi");
    EXPECT_EQ(none.reports.back().total, text.size());

    for (int stopAt : { 1, 3 }) {
        Listener stopping(stopAt);
        GeometryFolders folders;
        folders.poserFolder = folder.Path();
        folders.progress = &stopping;
        CheckState state;
        LineList lines(text);
        DeferredLines deferred(lines);
        Forest tree;
        EXPECT_THROW(TestHierarchy(state, folders, deferred, tree, "figure.phi"), Cancelled);
        EXPECT_EQ(stopping.reports.size(), static_cast<std::size_t>(stopAt));
        EXPECT_EQ(lines.Lines(), text);
    }

    // A file found in another runtime is reported by the path it is read from.
    {
        varnoke::testing::TempPoserFolder empty;
        Listener other(1);
        GeometryFolders folders;
        folders.poserFolder = empty.Path();
        folders.alsoSearched = { folder.Path() };
        folders.progress = &other;
        CheckState state;
        LineList lines(text);
        Forest tree;
        EXPECT_THROW(TestHierarchy(state, folders, lines, tree, "figure.phi"), Cancelled);
        ASSERT_EQ(other.reports.size(), 1u);
        // Either separator on Windows.
        EXPECT_EQ(std::filesystem::path(other.reports[0].what).lexically_normal(),
                  std::filesystem::path(objPath).lexically_normal());
    }

    // Generation reads the same way and stops with nothing added.
    Listener stopping(1);
    CheckState state;
    EXPECT_THROW(GenerateHierarchy(state, objPath, &stopping), Cancelled);
    EXPECT_EQ(state.diagnostics.FErrorCount, 0);
    ASSERT_EQ(stopping.reports.size(), 1u);
    EXPECT_EQ(stopping.reports[0].what, objPath);
}
