// "Open Recent": the last eight files opened or saved, most recent first, each once.
#include "window_fixture.h"

#include <QMenu>

class RecentFilesTest : public WindowFixture {
    Q_OBJECT

    mutable bool clearEnabled_ = false; // as the submenu last opened

    // The submenu's items as it opens, the separator as "-".
    QStringList RecentItems() const
    {
        auto* menu = Control<QMenu>(*w, u"OpenRecent1"_s);
        emit menu->aboutToShow();
        QStringList items;
        for (const QAction* action : menu->actions())
            items << (action->isSeparator() ? u"-"_s : action->text());
        clearEnabled_ = Control<QAction>(*w, u"ClearRecent1"_s)->isEnabled();
        emit menu->aboutToHide();
        return items;
    }
    // The items for these files of the scratch folder, most recent first.
    QStringList ItemsOf(const QStringList& names) const
    {
        QStringList items;
        for (qsizetype i = 0; i < names.size(); ++i)
            items << u"&%1 "_s.arg(i + 1) + QDir::toNativeSeparators(Path(names[i])).replace(u"&"_s, u"&&"_s);
        return items << u"-"_s << u"&Clear"_s;
    }
    void ChooseRecent(int number)
    {
        RecentItems();
        Control<QAction>(*w, u"RecentFile%1"_s.arg(number))->trigger();
    }

private slots:
    void rules_data()
    {
        QTest::addColumn<QStringList>("steps"); // "open NAME", "save NAME" (Save As), "drop NAME"
        QTest::addColumn<QStringList>("shown"); // names, most recent first
        QTest::newRow("none") << QStringList {} << QStringList {};
        QTest::newRow("most recent first") << QStringList { u"open a.phi"_s, u"drop b.phi"_s, u"open c.txt"_s }
                                           << QStringList { u"c.txt"_s, u"b.phi"_s, u"a.phi"_s };
        QStringList ten;
        QStringList lastEight;
        for (int i = 1; i <= 10; ++i) {
            ten << u"open f%1.phi"_s.arg(i);
            if (i > 2)
                lastEight.prepend(u"f%1.phi"_s.arg(i));
        }
        QTest::newRow("eight at most") << ten << lastEight;
        QTest::newRow("again comes first") << QStringList { u"open a.phi"_s, u"open b.phi"_s, u"drop a.phi"_s }
                                           << QStringList { u"a.phi"_s, u"b.phi"_s };
        QTest::newRow("another name of the same file")
            << QStringList { u"open a.phi"_s, u"open sub/../a.phi"_s } << QStringList { u"a.phi"_s };
        QTest::newRow("saved") << QStringList { u"open a.phi"_s, u"save b.phi"_s, u"open c.phi"_s, u"save a.phi"_s }
                               << QStringList { u"a.phi"_s, u"c.phi"_s, u"b.phi"_s };
        QTest::newRow("ampersand") << QStringList { u"open R&D.phi"_s, u"open &&.phi"_s }
                                   << QStringList { u"&&.phi"_s, u"R&D.phi"_s };
#ifdef _WIN32
        QTest::newRow("letter case") << QStringList { u"open a.phi"_s, u"open A.PHI"_s } << QStringList { u"A.PHI"_s };
#else
        QTest::newRow("letter case") << QStringList { u"open a.phi"_s, u"open A.PHI"_s }
                                     << QStringList { u"A.PHI"_s, u"a.phi"_s };
        QTest::newRow("link") << QStringList { u"open a.phi"_s, u"open link.phi"_s } << QStringList { u"link.phi"_s };
#endif
    }
    void rules()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, shown);
        QDir().mkpath(Path(u"sub"_s));
        for (const QString& name : { u"a.phi"_s, u"b.phi"_s, u"c.phi"_s, u"c.txt"_s, u"R&D.phi"_s, u"&&.phi"_s })
            WriteFile(Path(name), "#x\r\n");
        for (int i = 1; i <= 10; ++i)
            WriteFile(Path(u"f%1.phi"_s.arg(i)), "#x\r\n");
#ifndef _WIN32
        WriteFile(Path(u"A.PHI"_s), "#x\r\n");
        QVERIFY(QFile::link(Path(u"a.phi"_s), Path(u"link.phi"_s)));
#endif
        QVERIFY(Start());
        for (const QString& step : steps) {
            const QString name = step.section(u' ', 1);
            if (step.startsWith(u"open"_s)) {
                Open(Path(name));
            } else if (step.startsWith(u"drop"_s)) {
                Drop({ Path(name) });
            } else {
                prompts_->files.push_back(FileDialogAnswer { Path(name), u"Poser Hierarchy (*.PHI)"_s });
                if (QFile::exists(Path(name)))
                    prompts_->yesNos.push_back(true); // replace the file there
                w->RunCommand([this] { w->SaveAs1Click(); });
            }
        }
        QCOMPARE(prompts_->Texts(u"Error"_s).join(u"|"_s), QString());
        QCOMPARE(RecentItems(), ItemsOf(shown));
        QVERIFY(clearEnabled_ == !shown.isEmpty());
        // Kept for the next start as shown.
        window_.reset();
        settings_ = std::make_unique<StoredSettings>(SettingsFile());
        QVERIFY(Start());
        QCOMPARE(RecentItems(), ItemsOf(shown));
    }

    // Chosen, a file opens as a drop of it would, after the question about changes.
    void opens()
    {
        WriteFile(Path(u"a.phi"_s), "#a\r\n");
        QVERIFY(Start());
        Open(Figure());
        Open(Path(u"a.phi"_s));
        w->RunCommand([this] { w->ShowTextView(); });
        Caret(0, 0);
        TextMemo()->insertPlainText(u"#typed\n"_s);
        prompts_->confirms.push_back(Prompts::Answer::Cancel);
        ChooseRecent(2);
        QCOMPARE(Lines().constFirst(), u"#typed"_s);
        prompts_->confirms.push_back(Prompts::Answer::No);
        ChooseRecent(2);
        QCOMPARE(prompts_->Texts(u"Confirm"_s), QStringList(2, u"Save Changes?"_s));
        QCOMPARE(Lines(), figure_);
        QVERIFY(!w->FTextMode());
        QCOMPARE(RecentItems(), ItemsOf({ kFigureFolder.mid(1) + u"/mannikin.phi"_s, u"a.phi"_s }));
    }

    // A file gone is dropped from the list after Open's error box; the document stays.
    void goneFileLeaves()
    {
        for (const QString& name : { u"a.phi"_s, u"b.phi"_s, u"c.phi"_s })
            WriteFile(Path(name), "#" + name.toLatin1() + "\r\n");
        QVERIFY(Start());
        for (const QString& name : { u"a.phi"_s, u"b.phi"_s, u"c.phi"_s })
            Open(Path(name));
        QVERIFY(QFile::remove(Path(u"b.phi"_s)));
        ChooseRecent(2);
        QCOMPARE(prompts_->Texts(u"Error"_s).size(), 1);
        QVERIFY(prompts_->Texts(u"Error"_s)
                    .constFirst()
                    .startsWith(u"Cannot open file "_s + QDir::toNativeSeparators(Path(u"b.phi"_s))));
        QCOMPARE(Lines(), QStringList { u"#c.phi"_s });
        QCOMPARE(RecentItems(), ItemsOf({ u"c.phi"_s, u"a.phi"_s }));
        // A file that is there but cannot be opened stays.
        QVERIFY(QDir().mkpath(Path(u"a.phi"_s + u".d"_s)));
        QVERIFY(QFile::remove(Path(u"a.phi"_s)));
        QVERIFY(QDir().rename(Path(u"a.phi.d"_s), Path(u"a.phi"_s)));
        ChooseRecent(2);
        QCOMPARE(prompts_->Texts(u"Error"_s).size(), 2);
        QCOMPARE(RecentItems(), ItemsOf({ u"c.phi"_s, u"a.phi"_s }));
    }

    void clear()
    {
        WriteFile(Path(u"a.phi"_s), "#a\r\n");
        QVERIFY(Start());
        RecentItems();
        QVERIFY(!clearEnabled_);
        Open(Path(u"a.phi"_s));
        RecentItems();
        QVERIFY(clearEnabled_);
        Control<QAction>(*w, u"ClearRecent1"_s)->trigger();
        QCOMPARE(RecentItems(), ItemsOf({}));
        window_.reset();
        settings_ = std::make_unique<StoredSettings>(SettingsFile());
        QVERIFY(Start());
        QCOMPARE(RecentItems(), ItemsOf({}));
    }
};

QTEST_MAIN(RecentFilesTest)
#include "recent_files_test.moc"
