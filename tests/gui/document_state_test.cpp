// The state of the document, visible: the status bar's field of the name Save writes to
// and its mark, and diagnostics drawn as stale once the text or the tree changed after
// the test that made them.
#include "window_fixture.h"

#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>

class DocumentStateTest : public WindowFixture {
    Q_OBJECT

    QString Field() const { return Control<QLabel>(*w, u"DocumentState"_s)->text(); }
    // The list draws its entries in the colour of disabled text.
    bool ListStale() const
    {
        const QPalette colours = WarningsList()->palette();
        return colours.color(QPalette::Active, QPalette::Text) == colours.color(QPalette::Disabled, QPalette::Text);
    }

private slots:
    void initTestCase() { WindowFixture::initTestCase(); }
    void init() { WindowFixture::init(); }
    void cleanup() { WindowFixture::cleanup(); }

    // Each step as the user takes it, with the field and the list as they must be after it.
    void fieldAndStaleList()
    {
        QVERIFY(Start());
        QVERIFY(WarningsList()->palette().color(QPalette::Active, QPalette::Text)
                != WarningsList()->palette().color(QPalette::Disabled, QPalette::Text));
        const QString copy = Path(u"copy.phi"_s);
        struct Step {
            const char* what;
            std::function<void()> act;
            QString field;
            bool stale;
        };
        const std::vector<Step> steps {
            { "start", [] {}, u"Untitled"_s, false },
            { "typing", [&] { QTest::keyClicks(TextMemo(), u"#x"_s); }, u"Untitled*"_s, true },
            { "a test", [&] { QTest::keyClick(w, Qt::Key_F10); }, u"Untitled*"_s, false },
            { "typing after it", [&] { QTest::keyClicks(TextMemo(), u"y"_s); }, u"Untitled*"_s, true },
            { "typing undone", [&] { TextMemo()->undo(); }, u"Untitled"_s, true },
            { "an open", [&] { Open(Figure()); }, u"mannikin.phi"_s, false },
            { "a drop that moves nothing",
              [&] {
                  TreeView1()->setCurrentIndex(Node(u"4 neck"_s));
                  w->TreeView1EndDrag(Node(u"3 chest"_s), varnoke::drOther);
              },
              u"mannikin.phi*"_s, false },
            { "a tree edit",
              [&] {
                  TreeView1()->setCurrentIndex(Node(u"#The legs"_s));
                  Control<QAction>(*w, u"Delete2"_s)->trigger();
              },
              u"mannikin.phi*"_s, true },
            { "the text view", [&] { QTest::keyClick(w, Qt::Key_F4); }, u"mannikin.phi*"_s, true },
            { "a test", [&] { QTest::keyClick(w, Qt::Key_F10); }, u"mannikin.phi*"_s, false },
            { "save as",
              [&] {
                  prompts_->files.push_back(FileDialogAnswer { copy, {} });
                  Control<QAction>(*w, u"SaveAs1"_s)->trigger();
              },
              u"copy.phi"_s, false },
            { "text a byte cannot hold, then a refused test",
              [&] {
                  TextMemo()->insertPlainText(u"\u0101"_s);
                  QTest::keyClick(w, Qt::Key_F10);
              },
              u"copy.phi*"_s, true },
            { "New",
              [&] {
                  prompts_->confirms.push_back(Prompts::Answer::No);
                  Control<QAction>(*w, u"New1"_s)->trigger();
              },
              u"Untitled"_s, false },
        };
        for (const Step& step : steps) {
            step.act();
            QVERIFY2(Field() == step.field, qPrintable(QLatin1String(step.what) + u": "_s + Field()));
            QVERIFY2(ListStale() == step.stale, step.what);
        }
        QCOMPARE(prompts_->Texts(u"Error"_s).size(), 1); // the refused test's
    }

    // The field's hint is the full path Save writes to, shown in the status line.
    void fieldHint()
    {
        QVERIFY(Start());
        Open(Figure());
        auto* field = Control<QLabel>(*w, u"DocumentState"_s);
        QCOMPARE(QDir::fromNativeSeparators(field->statusTip()), Figure());
        QStatusTipEvent tip(field->statusTip());
        QCoreApplication::sendEvent(field, &tip); // as the pointer over the field sends it
        QCOMPARE(QDir::fromNativeSeparators(w->statusBar()->currentMessage()), Figure());
    }
};

QTEST_MAIN(DocumentStateTest)
#include "document_state_test.moc"
