// The 3-D preview pane where no OpenGL context can be had: it says so in words, and
// everything else about it works: its menu item and key, loading after a test, greying
// after a failed one, clearing on New, and a part clicked selecting its node or line.
#include "app/preview_pane.h"
#include "app/preview_view.h"
#include "hierarchy/case_fold.h"
#include "window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

class PreviewTest : public WindowFixture {
    Q_OBJECT

    PreviewPane* Pane() const { return Control<PreviewPane>(*w, u"PreviewDock"_s); }
    QAction* Item() const { return Control<QAction>(*w, u"Preview1"_s); }
    QString State() const { return Control<QLabel>(*Pane(), u"PreviewState"_s)->text(); }
    // The middle of the pixels drawn in the highlight colour (orange: red high, blue low,
    // whatever the light on the face); (-1, -1) when there are too few.
    QPoint LitMiddle() const
    {
        const QImage frame = Pane()->View()->grabFramebuffer();
        QPoint sum;
        int lit = 0;
        for (int y = 0; y < frame.height(); ++y) {
            for (int x = 0; x < frame.width(); ++x) {
                const QColor c = frame.pixelColor(x, y);
                if (c.red() > 80 && c.red() > 3 * c.blue() + 30 && c.green() < c.red() * 8 / 10
                    && c.green() > c.red() / 3) {
                    sum += QPoint(x, y);
                    ++lit;
                }
            }
        }
        return lit > 20 ? sum / lit : QPoint(-1, -1);
    }
    void OpenFigureWithPane()
    {
        Open(Figure());
        QTest::keyClick(w, Qt::Key_F12);
        QTRY_VERIFY(Pane()->Geometry() != nullptr);
    }

private slots:
    void initTestCase() { WindowFixture::initTestCase(); }
    void init() { WindowFixture::init(); }
    void cleanup() { WindowFixture::cleanup(); }

    void TheItemEndsTheOptionsMenuAndItsKeyShowsAndHidesThePane()
    {
        QVERIFY(Start());
        QVERIFY(!Pane()->isVisible());
        auto* options = Control<QMenu>(*w, u"Options2"_s);
        const QList<QAction*> items = options->actions();
        QCOMPARE(items.constLast(), Item());
        QVERIFY(items[items.size() - 2]->isSeparator());
        QCOMPARE(Item()->text(), u"Pre&view"_s);
        QCOMPARE(Item()->statusTip(), u"Show or hide the 3-D preview of the figure"_s);
        QCOMPARE(Item()->shortcut(), QKeySequence(Qt::Key_F12));
        for (const bool shown : { true, false, true }) {
            QTest::keyClick(w, Qt::Key_F12);
            QCOMPARE(Pane()->isVisible(), shown);
            emit options->aboutToShow();
            QCOMPARE(Item()->isChecked(), shown);
            emit options->aboutToHide();
        }
        // No context offscreen: words, and no OpenGL widget was ever made.
        QVERIFY(!Pane()->Words().isEmpty());
        QCOMPARE(Pane()->View(), nullptr);
    }

    void APassedTestLoadsTheGroupsTheTestFoundAndAFailedOneGreysThem()
    {
        QVERIFY(Start());
        OpenFigureWithPane();
        std::vector<std::string> groups = Pane()->Geometry()->mesh.groups;
        QCOMPARE(groups, w->Doc().Checks().FObjParts.Names());
        QVERIFY(Pane()->Geometry()->mesh.triangles.size() > groups.size());
        QVERIFY(!State().contains(u"not tested"_s));

        // Broken: the geometry stays, "not tested".
        const std::shared_ptr<const PreviewGeometry> before = Pane()->Geometry();
        w->TextButtonClick();
        TextMemo()->appendPlainText(u"2 nosuchpart xyz"_s);
        w->TestButtonClick();
        QVERIFY(w->Doc().FErrorCount() > 0);
        QCOMPARE(Pane()->Geometry(), before);
        QCOMPARE(State(), u"not tested"_s);

        // Mended: read again; New: gone.
        QTextCursor cursor(TextMemo()->document());
        cursor.movePosition(QTextCursor::End);
        cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        cursor.deletePreviousChar();
        w->TestButtonClick();
        QCOMPARE(w->Doc().FErrorCount(), 0);
        QTRY_VERIFY(Pane()->Geometry() != before && Pane()->Geometry() != nullptr);
        QVERIFY(!State().contains(u"not tested"_s));
        prompts_->confirms.push_back(Prompts::Answer::No);
        w->New1Click();
        QVERIFY(!Pane()->Geometry());
    }

    // Saving under another name keeps the figure shown; New clears it, also from a
    // document that never had a name.
    void SaveAsKeepsTheFigureAndNewClearsIt()
    {
        QVERIFY(Start());
        OpenFigureWithPane();
        const std::shared_ptr<const PreviewGeometry> shown = Pane()->Geometry();
        prompts_->files.push_back(FileDialogAnswer { Path(u"Runtime/Geometries/Mannikin/copy.phi"_s), {} });
        Control<QAction>(*w, u"SaveAs1"_s)->trigger();
        QCOMPARE(w->Doc().SavePath(), Path(u"Runtime/Geometries/Mannikin/copy.phi"_s));
        QCOMPARE(Pane()->Geometry(), shown);

        w->New1Click();
        QVERIFY(!Pane()->Geometry());
        QTest::keyClick(w, Qt::Key_F4);
        TextMemo()->insertPlainText(figure_.join(u'\n'));
        QTest::keyClick(w, Qt::Key_F10);
        QCOMPARE(w->Doc().FErrorCount(), 0);
        QTRY_VERIFY(Pane()->Geometry() != nullptr);
        prompts_->confirms.push_back(Prompts::Answer::No);
        w->New1Click();
        QVERIFY(!Pane()->Geometry());
    }

    void AClickedPartSelectsItsFirstLevelNodeOrLineInAnyLetterCase()
    {
        QVERIFY(Start());
        // A comment and an IK chain carry the name first; neither is the part.
        figure_.insert(2, u"#lForeArm"_s);
        WriteFile(Figure(), figure_.join(u"\r\n"_s).toLatin1());
        OpenFigureWithPane();
        const int line = static_cast<int>(figure_.indexOf(u"\t\t\t\t\t6 lForeArm xyz"_s));
        QVERIFY(line > 2);
        w->TextButtonClick();
        emit Pane()->partClicked("LFOREARM");
        QCOMPARE(TextMemo()->textCursor().blockNumber(), line);
        QCOMPARE(TextMemo()->textCursor().selectedText(), figure_[line]);

        w->HierButtonClick();
        emit Pane()->partClicked("rhand");
        QVERIFY(w->SelectedNode() != nullptr);
        QCOMPARE(QString::fromLatin1(w->SelectedNode()->Text()), u"7 rHand xyz"_s);
        emit Pane()->partClicked("nosuchgroup");
        QCOMPARE(QString::fromLatin1(w->SelectedNode()->Text()), u"7 rHand xyz"_s);
    }

    // The part of the selected node or of the caret's level line is lit up; a hidden pane
    // follows nothing and catches up when shown again.
    void TheCurrentPartFollowsTheViewsWhileThePaneShows()
    {
        QVERIFY(Start());
        OpenFigureWithPane();
        TreeView1()->setCurrentIndex(Node(u"rShin"_s));
        QCOMPARE(Pane()->CurrentPart(), std::string("rshin"));
        QTest::keyClick(w, Qt::Key_F12);
        TreeView1()->setCurrentIndex(Node(u"1 hip"_s));
        QCOMPARE(Pane()->CurrentPart(), std::string("rshin"));
        QTest::keyClick(w, Qt::Key_F12);
        QCOMPARE(Pane()->CurrentPart(), std::string("hip"));

        w->TextButtonClick();
        Caret(static_cast<int>(Lines().indexOf(u"\t\t\t\t\t6 lForeArm xyz"_s)), 0);
        QCOMPARE(Pane()->CurrentPart(), std::string("lforearm"));
        Caret(0, 0); // a comment names no part
        QCOMPARE(Pane()->CurrentPart(), std::string());
    }

    void FloatingAndDockingAgainKeepsTheFigure()
    {
        QVERIFY(Start());
        OpenFigureWithPane();
        const std::shared_ptr<const PreviewGeometry> geometry = Pane()->Geometry();
        for (const bool floating : { true, false }) {
            Pane()->setFloating(floating);
            QTest::qWait(50);
            QVERIFY(Pane()->isVisible());
            QCOMPARE(Pane()->Geometry(), geometry);
        }
    }

    // With Mesa's software OpenGL in a virtual X server: the selected part is drawn in the
    // highlight colour where it is, and a click there selects it again from elsewhere.
    void realRender()
    {
        if (QGuiApplication::platformName() != u"xcb"_s)
            QSKIP("needs a real display (xcb)");
        QVERIFY(Start());
        OpenFigureWithPane();
        QVERIFY2(Pane()->View() != nullptr, qPrintable(Pane()->Words()));
        const std::shared_ptr<const PreviewGeometry> geometry = Pane()->Geometry();
        QTRY_VERIFY(Pane()->View()->isVisible());
        const QModelIndex shin = Node(u"rShin"_s);
        QVERIFY(shin.isValid());
        TreeView1()->setCurrentIndex(shin);
        QCOMPARE(QString::fromLatin1(w->SelectedNode()->Text()), u"3 rShin yzx"_s);

        const QPoint middle = LitMiddle();
        QVERIFY2(middle != QPoint(-1, -1), "the selected part is drawn in the highlight colour");
        const int group = Pane()->GroupOf("rShin");
        QCOMPARE(Pane()->View()->GroupAt(middle), std::optional<std::size_t>(static_cast<std::size_t>(group)));

        TreeView1()->setCurrentIndex(Node(u"hip"_s));
        QTest::mouseClick(Pane()->View(), Qt::LeftButton, {}, middle);
        QCOMPARE(QString::fromLatin1(w->SelectedNode()->Text()), u"3 rShin yzx"_s);

        // Ctrl+Tab visits the figure too, and Ctrl+Shift+Tab goes the other way.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        TreeView1()->setFocus();
        for (QWidget* next : std::initializer_list<QWidget*> { WarningsList(), Pane()->View(), TreeView1() }) {
            QTest::keyClick(w, Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QTest::keyClick(w, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), Pane()->View());

        // Floated and docked again, each time with a new context: drawn again from the
        // geometry kept on the processor; then the window goes with its context.
        for (const bool floating : { true, false }) {
            Pane()->setFloating(floating);
            QTRY_VERIFY(Pane()->View()->isVisible());
            QVERIFY(LitMiddle() != QPoint(-1, -1));
        }
        window_.reset();

        // A view of its own, drawn and deleted: its context goes after it.
        auto alone = std::make_unique<PreviewView>();
        alone->SetGeometry(geometry);
        alone->show();
        QVERIFY(QTest::qWaitForWindowExposed(alone.get()));
        QVERIFY(!alone->grabFramebuffer().isNull());
        alone.reset();
    }
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
