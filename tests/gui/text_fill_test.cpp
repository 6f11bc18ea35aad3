// Filling the editor piece by piece, against the text joined in one: the same lines and
// line ends whatever the lengths, and a stop that leaves only whole pieces in.
#include "app/text_fill.h"
#include "app/text_lines.h"

#include <QtTest>

#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Hears every report; says stop at the one numbered stopAt (from 1).
struct Listener final : varnoke::Progress {
    bool Report(Step, std::string_view, std::uint64_t done, std::uint64_t total) override
    {
        reports.push_back(done);
        this->total = total;
        return static_cast<int>(reports.size()) != stopAt;
    }
    std::vector<std::uint64_t> reports;
    std::uint64_t total = 0;
    int stopAt = 0;
};

// The text as one string, as a file would hold it with line feeds.
std::string Joined(const std::vector<std::string>& lines, bool finalLineEnd)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += lines[i] + (i + 1 < lines.size() || finalLineEnd ? "\n" : "");
    return text;
}

} // namespace

class TextFillTest : public QObject {
    Q_OBJECT

private slots:
    void sameTextAsJoined_data()
    {
        QTest::addColumn<std::vector<std::string>>("lines");
        QTest::addColumn<bool>("finalLineEnd");
        const std::string longLine(700'000, 'x');
        std::vector<std::string> many(30'000, "  1 lThigh zxy");
        many[12'345] = "\xa0\xff no-break space and y diaeresis";
        QTest::newRow("nothing") << std::vector<std::string> {} << false;
        QTest::newRow("one empty line") << std::vector<std::string> { "" } << true;
        QTest::newRow("empty lines") << std::vector<std::string>(5, "") << false;
        QTest::newRow("one line, no end") << std::vector<std::string> { "hip" } << false;
        QTest::newRow("a line longer than pieces") << std::vector<std::string> { "a", longLine, "b" } << true;
        QTest::newRow("one long line alone") << std::vector<std::string> { longLine } << false;
        QTest::newRow("many lines") << many << true;
    }
    void sameTextAsJoined()
    {
        QFETCH(std::vector<std::string>, lines);
        QFETCH(bool, finalLineEnd);
        const std::string expected = Joined(lines, finalLineEnd);
        const std::unique_ptr<QTextDocument> text = NewTextDocument();
        Listener listener;
        FillTextDocument(*text, lines, finalLineEnd, &listener, "file");
        QCOMPARE(TextLines(*text).Bytes(), QByteArray::fromStdString(expected).replace("\n", "\r\n"));
        QVERIFY(std::is_sorted(listener.reports.begin(), listener.reports.end()));
        for (std::uint64_t done : listener.reports)
            QVERIFY(done > 0 && done <= listener.total);
        QVERIFY(text->isUndoRedoEnabled());
        QVERIFY(!text->isUndoAvailable());
    }

    void stopLeavesWholePieces()
    {
        std::vector<std::string> lines(100'000, "objFile :Runtime:Geometries:figure:figure.obj");
        const std::string whole = Joined(lines, true);
        const std::unique_ptr<QTextDocument> text = NewTextDocument();
        Listener listener;
        listener.stopAt = 2;
        QVERIFY_THROWS_EXCEPTION(varnoke::Cancelled, FillTextDocument(*text, lines, true, &listener, "file"));
        QCOMPARE(listener.reports.size(), std::size_t { 2 });
        const QByteArray in = TextLines(*text).Bytes().replace("\r\n", "\n");
        QCOMPARE(static_cast<std::uint64_t>(in.size()), listener.reports.back());
        QVERIFY(QByteArray::fromStdString(whole).startsWith(in));
    }
};

QTEST_MAIN(TextFillTest)
#include "text_fill_test.moc"
