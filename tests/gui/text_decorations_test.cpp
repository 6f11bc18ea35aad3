// The text view's aids: line numbers, colouring, the last test's marks, find.
#include "hierarchy/line_fields.h"
#include "ui/diagnostics_model.h"
#include "ui/line_data.h"
#include "ui/phi_highlighter.h"
#include "window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextLayout>

using varnoke::FieldRole;

class TextDecorationsTest : public WindowFixture {
    Q_OBJECT

    PhiHighlighter* Highlighter() const { return TextMemo()->document()->findChild<PhiHighlighter*>(); }
    void SetText(const QString& text)
    {
        TextMemo()->setPlainText(text);
        Paint();
    }
    void Paint()
    {
        TextMemo()->viewport()->repaint();
        QCoreApplication::processEvents();
        TextMemo()->viewport()->repaint();
    }
    // The format the layout gives the character at column of a line.
    QTextCharFormat FormatAt(int line, int column) const
    {
        const QTextBlock block = TextMemo()->document()->findBlockByNumber(line);
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (column >= range.start && column < range.start + range.length)
                return range.format;
        }
        return {};
    }
    // The lines the text view marks, as numbers from 1.
    QList<int> MarkedLines() const
    {
        QList<int> lines;
        for (QTextBlock block = TextMemo()->document()->begin(); block.isValid(); block = block.next()) {
            if (ui::MarkOf(block) != ui::LineData::Mark::None)
                lines << block.blockNumber() + 1;
        }
        return lines;
    }
    // The lines the diagnostics name, with lines added above the first of them.
    QList<int> DiagnosedLines(int added = 0) const
    {
        QList<int> lines;
        for (int row = 0; row < WarningsList()->model()->rowCount(); ++row) {
            const int line = WarningsList()->model()->index(row, 0).data(DiagnosticsModel::LineRole).toInt();
            if (line > 0 && !lines.contains(line + added))
                lines << line + added;
        }
        std::sort(lines.begin(), lines.end());
        return lines;
    }
    void OpenBroken()
    {
        QStringList lines = figure_;
        lines[8] = u"\t\t\t4 lCollar xy"_s; // two errors on line 9
        lines[17] = u"\t\t3 lShin yzx bend"_s; // one on line 18
        const QString path
            = WriteFile(dir_->path() + kFigureFolder + u"/broken.phi"_s, lines.join(u"\r\n"_s).toLatin1());
        Open(path);
    }
    void Trigger(const QString& item) { Control<QAction>(*w, item)->trigger(); }
    int CaretLine() const { return TextMemo()->textCursor().blockNumber() + 1; }

private slots:
    void initTestCase() { WindowFixture::initTestCase(); }
    void init() { WindowFixture::init(); }
    void cleanup() { WindowFixture::cleanup(); }

    void marginLeavesRoomForTheLargestNumber()
    {
        QVERIFY(Start());
        auto* margin = Control<QWidget>(*w, u"LineNumbers"_s);
        SetText(QStringList(999, u"#"_s).join(u'\n'));
        const int narrow = margin->width();
        QVERIFY(narrow > 0);
        QCOMPARE(TextMemo()->viewport()->geometry().left(), TextMemo()->contentsRect().left() + narrow);
        SetText(QStringList(1000, u"#"_s).join(u'\n'));
        QVERIFY(margin->width() > narrow);
        QCOMPARE(TextMemo()->viewport()->geometry().left(), TextMemo()->contentsRect().left() + margin->width());
    }

    // Each field of each line kind carries its role's format where the test reads it.
    void eachLineKindIsColouredAtItsFields()
    {
        QVERIFY(Start());
        const QStringList lines = { u"# comment"_s,
                                    u"objFile :Runtime:a.obj"_s,
                                    u"1 hip yzx"_s,
                                    u"\t2 chest xyz curve :a:b.obj extra"_s,
                                    u"2 neck zxy :a:c.obj"_s,
                                    u"ikChain leg lThigh lShin"_s,
                                    u"hip 1 xyz"_s };
        SetText(lines.join(u'\n'));
        const PhiHighlighter& colours = *Highlighter();
        QList<FieldRole> seen;
        for (int line = 0; line < lines.size(); ++line) {
            std::vector<varnoke::LineField> fields;
            const QByteArray bytes = lines[line].toLatin1();
            varnoke::ReadLineFields(std::string_view(bytes.constData(), std::size_t(bytes.size())), fields);
            QVERIFY(!fields.empty());
            for (const varnoke::LineField& field : fields) {
                for (const std::size_t column : { field.span.start, field.span.start + field.span.length - 1 })
                    QCOMPARE(FormatAt(line, int(column)).foreground(), colours.FormatOf(field.role).foreground());
                seen << field.role;
            }
        }
        for (int role = 0; role <= int(FieldRole::Illegal); ++role)
            QVERIFY2(seen.contains(FieldRole(role)), qPrintable(QString::number(role)));
        // Told apart: no two roles but the part names share a colour.
        QCOMPARE(colours.FormatOf(FieldRole::Rotation) == colours.FormatOf(FieldRole::PartName), false);
        QCOMPARE(colours.FormatOf(FieldRole::Curve) == colours.FormatOf(FieldRole::Extra), false);
    }

    // A long text is coloured where it is seen: lines out of sight wait until they come into it.
    void linesAreColouredWhenTheyComeIntoSight()
    {
        QVERIFY(Start());
        SetText(QStringList(5000, u"1 hip xyz"_s).join(u'\n'));
        QCOMPARE(FormatAt(0, 0).foreground(), Highlighter()->FormatOf(FieldRole::LevelNumber).foreground());
        QVERIFY(TextMemo()->document()->findBlockByNumber(4000).layout()->formats().isEmpty());
        Caret(4000, 0);
        TextMemo()->ensureCursorVisible();
        Paint();
        QCOMPARE(FormatAt(4000, 2), Highlighter()->FormatOf(FieldRole::PartName));
    }

    // After a test each diagnosed line is marked and underlined; the marks move with the
    // lines, the next test replaces them and New drops them.
    void marksFollowTheTextUntilTheNextTest()
    {
        QVERIFY(Start());
        OpenBroken();
        Paint();
        QVERIFY(Highlighter());
        QVERIFY(!w->Doc().ChangedSinceTest()); // colours are no edit
        QCOMPARE(MarkedLines(), (QList<int> { 9, 18 }));
        QCOMPARE(MarkedLines(), DiagnosedLines());
        Caret(8, 0);
        Paint();
        QCOMPARE(FormatAt(8, 5).underlineStyle(), QTextCharFormat::WaveUnderline);
        QCOMPARE(FormatAt(7, 5).underlineStyle(), QTextCharFormat::NoUnderline);

        Caret(0, 0);
        QTest::keyClicks(TextMemo(), u"#a"_s);
        QTest::keyClick(TextMemo(), Qt::Key_Return);
        QTest::keyClicks(TextMemo(), u"#b"_s);
        QTest::keyClick(TextMemo(), Qt::Key_Return);
        QCOMPARE(MarkedLines(), DiagnosedLines(2));
        Caret(12, 0, 14, 0);
        QTest::keyClick(TextMemo(), Qt::Key_Delete);
        QCOMPARE(MarkedLines(), (QList<int> { 11, 18 }));

        Caret(10, 0);
        QTest::keyClick(TextMemo(), Qt::Key_End);
        QTest::keyClicks(TextMemo(), u"z"_s); // mends line 11
        Control<QToolButton>(*w, u"TestButton"_s)->click();
        QCOMPARE(MarkedLines(), DiagnosedLines());
        QCOMPARE(MarkedLines(), (QList<int> { 18 }));
        prompts_->confirms.push_back(Prompts::Answer::No);
        Trigger(u"New1"_s);
        QVERIFY(MarkedLines().isEmpty());
    }

    // Marks go when the text is written anew from the tree.
    void aTextRebuiltFromTheTreeHasNoMarks()
    {
        QVERIFY(Start());
        QStringList lines = figure_;
        lines.insert(3, u"objFile :Runtime:Geometries:Mannikin:mannikin.obj"_s); // warnings only: the test passes
        Open(WriteFile(dir_->path() + kFigureFolder + u"/twice.phi"_s, lines.join(u"\r\n"_s).toLatin1()));
        QVERIFY2(!w->FTextMode(), qPrintable(Diagnostics().join(u'|')));
        QCOMPARE(MarkedLines(), (QList<int> { 4 }));
        Trigger(u"EditAsText1"_s);
        QVERIFY(w->FTextMode());
        QVERIFY(MarkedLines().isEmpty());
    }

    // The caret on a marked line makes its entry current, without going anywhere.
    void caretLeadsToTheLinesEntry()
    {
        QVERIFY(Start());
        OpenBroken();
        const QModelIndexList rows = WarningsList()->model()->match(
            WarningsList()->model()->index(0, 0), DiagnosticsModel::LineRole, 18, -1, Qt::MatchExactly);
        QCOMPARE(rows.size(), 1);
        Caret(17, 3);
        QCOMPARE(WarningsList()->currentIndex(), rows.first());
        QCOMPARE(CaretLine(), 18);
        QCOMPARE(TextMemo()->textCursor().positionInBlock(), 3);
        // On line 9, its second entry made current stays so.
        const QModelIndex second = WarningsList()->model()->index(1, 0);
        QCOMPARE(second.data(DiagnosticsModel::LineRole).toInt(), 9);
        WarningsList()->setCurrentIndex(second);
        Caret(8, 2);
        QCOMPARE(WarningsList()->currentIndex(), second);
        Caret(17, 0);
        Caret(8, 1);
        QCOMPARE(WarningsList()->currentIndex().row(), 0);
        // Lines without marks leave the list alone.
        Caret(3, 0);
        QCOMPARE(WarningsList()->currentIndex().row(), 0);
    }

    void nextAndPreviousDiagnosticGoRoundTheMarks()
    {
        QVERIFY(Start());
        OpenBroken();
        Caret(0, 0);
        QList<int> visited;
        for (int step = 0; step < 3; ++step) {
            QTest::keyClick(TextMemo(), Qt::Key_Period, Qt::ControlModifier);
            visited << CaretLine();
        }
        QTest::keyClick(TextMemo(), Qt::Key_Comma, Qt::ControlModifier);
        visited << CaretLine();
        QCOMPARE(visited, (QList<int> { 9, 18, 9, 18 }));
        // Text items only: in the tree view their keys do nothing and the menu shows them disabled.
        w->ShowTreeView();
        QTest::keyClick(w, Qt::Key_Period, Qt::ControlModifier);
        QCOMPARE(CaretLine(), 18);
        auto* menu = Control<QMenu>(*w, u"Options1"_s);
        menu->popup(w->mapToGlobal(QPoint(10, 10)));
        QVERIFY(menu->isVisible());
        for (const QString& item :
             { u"Find1"_s, u"FindNext1"_s, u"FindPrevious1"_s, u"NextDiagnostic1"_s, u"PreviousDiagnostic1"_s })
            QVERIFY2(!Control<QAction>(*w, item)->isEnabled(), qPrintable(item));
        menu->hide();
    }

    void findWrapsAndSaysWhenNothingIsFound()
    {
        QVERIFY(Start());
        Open(Figure());
        w->ShowTextView();
        Caret(0, 0);
        QTest::keyClick(TextMemo(), Qt::Key_F, Qt::ControlModifier);
        auto* field = Control<QLineEdit>(*w, u"FindText"_s);
        QVERIFY(field->isVisible());
        QCOMPARE(QApplication::focusWidget(), field);
        QTest::keyClicks(field, u"lshin"_s);
        QList<int> found;
        for (int step = 0; step < 3; ++step) {
            QTest::keyClick(field, Qt::Key_Return);
            found << CaretLine();
        }
        QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
        found << CaretLine();
        QCOMPARE(found, (QList<int> { 18, 24, 18, 24 }));
        QCOMPARE(TextMemo()->textCursor().selectedText(), u"lShin"_s);
        Control<QCheckBox>(*w, u"FindMatchCase"_s)->setChecked(true);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(Control<QLabel>(*w, u"FindResult"_s)->text(), u"not found"_s);
        QCOMPARE(CaretLine(), 24);
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!field->isVisible());
        QCOMPARE(QApplication::focusWidget(), TextMemo());
        // Ctrl+G and Ctrl+Shift+G go on from the editor.
        Control<QCheckBox>(*w, u"FindMatchCase"_s)->setChecked(false);
        QTest::keyClick(TextMemo(), Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(CaretLine(), 18);
        QTest::keyClick(TextMemo(), Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(CaretLine(), 24);
    }
};

QTEST_MAIN(TextDecorationsTest)
#include "text_decorations_test.moc"
