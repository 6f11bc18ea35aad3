// Filling the editor piece by piece, against the text joined in one: the same lines and
// line ends whatever the lengths, and a stop that leaves only whole pieces in.
#include "app/text_fill.h"
#include "app/text_lines.h"
#include "app/text_view.h"
#include "app/wide_lines.h"

#include <QTextCursor>

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

    // A line wider than the layout can place is found however it came in, and the view
    // shows the text that holds one wrapped at its width, and every other text unwrapped.
    void wideLinesAreFoundHoweverTheyCome()
    {
        const std::string wide(1'200'000, 'w');
        const std::string narrow(900'000, 'n');
        const auto filled = [](std::vector<std::string> lines) {
            std::unique_ptr<QTextDocument> text = NewTextDocument();
            FillTextDocument(*text, lines, true, nullptr, "file");
            return text;
        };
        std::vector<std::string> middle(20'000, "1 hip xyz");
        middle[10'000] = wide;
        const std::unique_ptr<QTextDocument> amongShort = filled(middle);
        const std::unique_ptr<QTextDocument> narrowOnly = filled({ narrow, narrow, "1 hip xyz" });
        QVERIFY(WideLines::Of(*amongShort).Found());
        QVERIFY(!WideLines::Of(*narrowOnly).Found());

        // Typed or pasted: a paste of many lines, and a line grown past the width by what a
        // paste puts before its end.
        const std::unique_ptr<QTextDocument> pasted = filled({ "1 hip xyz" });
        QVERIFY(!WideLines::Of(*pasted).Found());
        QTextCursor(pasted.get()).insertText(QString::fromStdString("a\nb\n" + wide + "\nc"));
        QVERIFY(WideLines::Of(*pasted).Found());
        const std::unique_ptr<QTextDocument> grown = filled({ narrow });
        QVERIFY(!WideLines::Of(*grown).Found());
        QTextCursor(grown.get()).insertText(QString::fromStdString("head\n" + std::string(300'000, 'y')));
        QVERIFY(WideLines::Of(*grown).Found());

        TextLines lines(*narrowOnly);
        TextView view(lines, *narrowOnly);
        for (QTextDocument* text : { narrowOnly.get(), amongShort.get(), narrowOnly.get(), grown.get() }) {
            view.ShowText(text);
            QCOMPARE(view.lineWrapMode() == QPlainTextEdit::WidgetWidth, WideLines::Of(*text).Found());
        }
        const std::unique_ptr<QTextDocument> later = filled({ "1 hip xyz" });
        view.ShowText(later.get());
        QCOMPARE(view.lineWrapMode(), QPlainTextEdit::NoWrap);
        QTextCursor(later.get()).insertText(QString::fromStdString(wide));
        QCOMPARE(view.lineWrapMode(), QPlainTextEdit::WidgetWidth);
    }
};

QTEST_MAIN(TextFillTest)
#include "text_fill_test.moc"
