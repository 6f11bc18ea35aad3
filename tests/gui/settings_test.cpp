// What the window keeps between runs: a second window on the same store comes back as
// the first was left; with no store, or a damaged one, it starts as it always has.
#include "window_fixture.h"

#include <QSplitter>

class SettingsTest : public WindowFixture {
    Q_OBJECT

    // The Open dialog's request, cancelled.
    FileDialogRequest OpenRequest()
    {
        prompts_->files.push_back(std::nullopt);
        w->RunCommand([this] { w->Load1Click(); });
        return prompts_->calls.constLast().request;
    }
    QSplitter* Splitter2() const { return Control<QSplitter>(*w, u"Splitter2"_s); }
    // A new window, as at the next start, on the store kept in the file.
    bool Restart()
    {
        window_.reset();
        settings_ = std::make_unique<StoredSettings>(SettingsFile());
        return Start();
    }

private slots:
    void nothingKept()
    {
        QVERIFY(Start());
        QCOMPARE(w->frameGeometry(), QRect(215, 291, 580, 369));
        const FileDialogRequest request = OpenRequest();
        QCOMPARE(request.selectedFilter, u"Poser Hierarchy (*.PHI)"_s);
        QCOMPARE(QDir(request.directory), QDir(dir_->path() + u"/Runtime/Geometries"_s));
        QVERIFY(!settings_->Damaged());
    }

    void roundTrip()
    {
        QVERIFY(Start());
        const QString folder = Path(u"other"_s);
        const QString file = WriteFile(folder + u"/a.txt"_s, "#a\r\n");
        prompts_->files.push_back(FileDialogAnswer { file, u"Text Files (*.TXT)"_s });
        w->RunCommand([this] { w->Load1Click(); });
        w->RunCommand([this] { w->New1Click(); });
        w->setGeometry(QRect(123, 145, 640, 420));
        Splitter2()->setSizes({ 200, 120 });
        const QList<int> splitterSizes = Splitter2()->sizes();
        const QRect geometry = w->geometry();
        QVERIFY(w->close());

        QVERIFY(Restart());
        QCOMPARE(w->geometry(), geometry);
        QCOMPARE(Splitter2()->sizes(), splitterSizes);
        const FileDialogRequest request = OpenRequest();
        QCOMPARE(request.selectedFilter, u"Text Files (*.TXT)"_s);
        QCOMPARE(QDir(request.directory), QDir(folder));
        // The folder gone, the dialog starts among the geometry again.
        QVERIFY(QDir(folder).removeRecursively());
        QCOMPARE(QDir(OpenRequest().directory), QDir(dir_->path() + u"/Runtime/Geometries"_s));
    }

    void damaged_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // of the settings file; empty: a folder in its place
        QTest::addColumn<bool>("ignored"); // the whole file, else only its values of the wrong kind
        QTest::newRow("a folder") << QByteArray() << true;
        QTest::newRow("unclosed section") << QByteArray("[window\ngeometry=x\n") << true;
        QTest::newRow("key without value") << QByteArray("[window]\ngeometry\n") << true;
        QTest::newRow("binary") << QByteArray("\0\1\2\3=\xff\xfe\n[\0]\n", 16) << true;
        QTest::newRow("wrong kinds") << QByteArray("[window]\ngeometry=12\nstate=@Rect(1 2 3 4)\nsplitter=a, b\n"
                                                   "[dialogs]\nopenFilter=Nothing (*.X)\nfolder=@Size(1 2)\n"
                                                   "[files]\nrecent=@ByteArray(\\0\\xff)\n[poser]\nfolder=@Invalid()\n")
                                     << false;
        QTest::newRow("zeros") << QByteArray(300, '\0') << true;
        QTest::newRow("damaged values") << QByteArray("[window]\ngeometry=@ByteArray(\\x1\\xd9\\xd0\\xca\\0\\x3)\n"
                                                      "state=@Variant(\\0\\0\\0\\xb\\xff\\xff\\xff\\xf0)\n"
                                                      "splitter=@ByteArray(\\0\\0\\0\\xff\\0\\0\\0\\x1)\n")
                                        << false;
    }
    void damaged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ignored);
        const QString file = SettingsFile();
        if (bytes.isEmpty())
            QVERIFY(QDir().mkpath(file));
        else
            WriteFile(file, bytes);
        settings_ = std::make_unique<StoredSettings>(file);
        QCOMPARE(settings_->Damaged(), ignored);
        QVERIFY(Start());
        QCOMPARE(w->frameGeometry(), QRect(215, 291, 580, 369));
        QCOMPARE(OpenRequest().selectedFilter, u"Poser Hierarchy (*.PHI)"_s);
        // Only the start-up message of the program's folder: no Poser folder was chosen.
        QCOMPARE(prompts_->Texts(u"Message"_s), QStringList {});
        QVERIFY(w->close());
        // What the window keeps then stays in memory; a damaged file stays for a look.
        if (ignored && !bytes.isEmpty())
            QCOMPARE(ReadAll(file), bytes);
        QVERIFY(Restart());
    }

    // A file cut anywhere (a full disk, a crash while it was written) gives the window as
    // it was kept or as at the first start, never anything else.
    void cut()
    {
        QVERIFY(Start());
        w->setGeometry(QRect(123, 145, 640, 420));
        const QRect kept = w->frameGeometry();
        QVERIFY(w->close());
        window_.reset();
        settings_.reset();
        const QByteArray whole = ReadAll(SettingsFile());
        QVERIFY(whole.contains("geometry"));
        for (qsizetype length = 0; length < whole.size(); length += 5) {
            WriteFile(SettingsFile(), whole.left(length));
            QVERIFY(Restart());
            const QRect seen = w->frameGeometry();
            QVERIFY2(seen == kept || seen == QRect(215, 291, 580, 369), qPrintable(QString::number(length)));
        }
    }
};

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
