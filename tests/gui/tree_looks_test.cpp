// How the tree view shows its nodes: an icon for each kind, the icon counted as the label
// for drops, and where a dragged node would land, shown before the drop.
#include "tree_view_fixture.h"

namespace {

QStringList KindsFile()
{
    return { u"#a comment"_s,
             u"objFile :Runtime:Geometries:Mannikin:mannikin.obj"_s,
             u"1 hip yzx"_s,
             u"\t2 abdomen yzx curve"_s,
             u"ikChain torso hip abdomen"_s,
             QString(),
             u"an illegal line"_s };
}

} // namespace

class TreeLooksTest : public TreeViewFixture {
    Q_OBJECT

private slots:
    // Each kind of node has an icon of its own, drawn.
    void iconPerKind()
    {
        QVERIFY(Start());
        WriteFile(Path(u"kinds.phi"_s), (KindsFile().join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
        WriteFile(dir_->path() + kFigureFolder + u"/mannikin.obj"_s, "g hip\ng abdomen\n");
        Open(Path(u"kinds.phi"_s));
        const HierarchyModel& model = w->Doc().TreeModel();
        // Every line but the empty one, which the test leaves out of the tree.
        QCOMPARE(model.Tree().NodeCount(), KindsFile().size() - 1);
        QList<qint64> seen;
        QImage previous;
        for (const varnoke::Node* node = model.Tree().First(); node; node = model.Tree().Next(node)) {
            const QIcon icon = model.IndexOf(node).data(Qt::DecorationRole).value<QIcon>();
            const QImage image = icon.pixmap(16).toImage();
            QVERIFY2(!image.isNull(), node->Text().c_str());
            QVERIFY2(image != previous, node->Text().c_str());
            QVERIFY2(!seen.contains(icon.cacheKey()), node->Text().c_str());
            seen << icon.cacheKey();
            previous = image;
        }
    }

    // The three regions of a drop, with the icons shown: the icon and the text are the
    // label, right of the text is elsewhere; and where the node would land is shown
    // while it is dragged, as the drop then makes it.
    void dropMark_data()
    {
        QTest::addColumn<QString>("dragged");
        QTest::addColumn<QString>("target");
        QTest::addColumn<Spot>("spot");
        QTest::addColumn<int>("region"); // -1: refused
        QTest::addColumn<int>("mark");
        using varnoke::dmBefore, varnoke::dmLastChild, varnoke::dmNone;
        QTest::newRow("on the icon") << u"3 lShin"_s << u"1 hip"_s << Spot::Icon << int(varnoke::drOnNode)
                                     << int(dmLastChild);
        QTest::newRow("at the label's start")
            << u"3 lShin"_s << u"2 rThigh"_s << Spot::Label << int(varnoke::drOnNode) << int(dmLastChild);
        QTest::newRow("on the text's end")
            << u"3 lShin"_s << u"1 hip"_s << Spot::TextEnd << int(varnoke::drOnNode) << int(dmLastChild);
        QTest::newRow("right of the text")
            << u"3 lShin"_s << u"1 hip"_s << Spot::Right << int(varnoke::drOther) << int(dmNone);
        QTest::newRow("on the indent") << u"4 lFoot"_s << u"2 rThigh"_s << Spot::Indent << int(varnoke::drIndent)
                                       << int(dmBefore);
        QTest::newRow("on the expand button")
            << u"4 lFoot"_s << u"2 rThigh"_s << Spot::Button << int(varnoke::drOther) << int(dmNone);
        QTest::newRow("on its own child")
            << u"2 lThigh"_s << u"3 lShin"_s << Spot::Label << int(varnoke::drOnNode) << int(dmNone);
        QTest::newRow("on itself") << u"2 lThigh"_s << u"2 lThigh"_s << Spot::Label << int(varnoke::drOnNode)
                                   << int(dmNone);
        QTest::newRow("non-level, right of the text")
            << u"objFile"_s << u"#The legs"_s << Spot::Right << int(varnoke::drOther) << int(dmBefore);
        QTest::newRow("non-level, on the icon")
            << u"ikChain rightLeg"_s << u"#Mannikin"_s << Spot::Icon << int(varnoke::drOnNode) << int(dmBefore);
        QTest::newRow("refused") << u"#Mannikin"_s << u"1 hip"_s << Spot::Label << -1 << int(dmNone);
    }
    void dropMark()
    {
        QFETCH(QString, dragged);
        QFETCH(QString, target);
        QFETCH(Spot, spot);
        QFETCH(int, region);
        QFETCH(int, mark);
        OpenFigure();
        Select(dragged);
        varnoke::Node* node = w->SelectedNode();
        const QModelIndex targetIndex = Node(target);
        varnoke::Node* targetNode = w->Doc().TreeModel().NodeOf(targetIndex);
        if (region >= 0)
            QCOMPARE(int(TreeView1()->RegionAt(SpotOf(targetIndex, spot), targetIndex)), region);
        QCOMPARE(DragOver(target, spot), region >= 0);
        QCOMPARE(int(TreeView1()->ShownDropMark()), mark);
        DropOn(target, spot);
        QCOMPARE(int(TreeView1()->ShownDropMark()), int(varnoke::dmNone));
        switch (mark) {
        case varnoke::dmNone:
            QVERIFY(w->Doc().History().Count() == 0);
            break;
        case varnoke::dmBefore:
            QCOMPARE(node->Parent(), targetNode->Parent());
            QCOMPARE(node->Row() + 1, targetNode->Row());
            break;
        case varnoke::dmLastChild:
            QCOMPARE(node->Parent(), targetNode);
            QCOMPARE(node->Row() + 1, targetNode->ChildCount());
            break;
        }
    }

    // Leaving the view, the mark goes.
    void markGoesWithTheDrag()
    {
        OpenFigure();
        Select(u"3 lShin"_s);
        QVERIFY(DragOver(u"1 hip"_s, Spot::Label));
        QCOMPARE(TreeView1()->ShownDropMark(), varnoke::dmLastChild);
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(TreeView1()->viewport(), &leave);
        QCOMPARE(TreeView1()->ShownDropMark(), varnoke::dmNone);
    }
};

QTEST_MAIN(TreeLooksTest)
#include "tree_looks_test.moc"
