// "Poser Folder...": a folder holding Poser's Runtime takes the program's folder's place
// for geometry, the dialogs and the start-up check, and is kept between runs.
#include "window_fixture.h"

#include <QAction>

class PoserFolderTest : public WindowFixture {
    Q_OBJECT

    const QString kNoExeMessage = u"This application must be run from wherever your POSER.EXE is installed!\n"
                                  u"Choose your Poser folder with Options > Poser Folder..."_s;

    QString PoserPath() const { return QDir::fromNativeSeparators(QString::fromLatin1(w->Doc().Poser().Path())); }
    QString Hint() const { return Control<QAction>(*w, u"PoserFolder1"_s)->statusTip(); }
    QString HintFor(const QString& folder) const
    {
        return u"Choose the Poser folder (now: %1)"_s.arg(QDir::toNativeSeparators(folder));
    }
    // The command run as from the menu, answered with folder (none: Cancel).
    void Choose(const std::optional<QString>& folder)
    {
        prompts_->folders.push_back(folder);
        Control<QAction>(*w, u"PoserFolder1"_s)->trigger();
    }
    bool Restart(const QString& exeName)
    {
        window_.reset();
        prompts_ = std::make_unique<ScriptedPrompts>();
        settings_ = std::make_unique<StoredSettings>(SettingsFile());
        return Start(exeName);
    }

private slots:
    void choose_data()
    {
        QTest::addColumn<QString>("answer"); // a folder of the scratch folder; "" the program's; "-" Cancel
        QTest::addColumn<QString>("chosen"); // the Poser folder after it; "" the program's
        QTest::addColumn<bool>("refused");
        QTest::newRow("with Runtime") << u"new"_s << u"new"_s << false;
        QTest::newRow("runtime in other letter case") << u"lower"_s << u"lower"_s << false;
        QTest::newRow("no Runtime") << u"bare"_s << u"old"_s << true;
        QTest::newRow("Runtime a file") << u"file"_s << u"old"_s << true;
        QTest::newRow("Runtime deeper down") << u"deep"_s << u"old"_s << true;
        QTest::newRow("Cancel") << u"-"_s << u"old"_s << false;
        QTest::newRow("back to the program's") << QString() << QString() << false;
    }
    void choose()
    {
        QFETCH(QString, answer);
        QFETCH(QString, chosen);
        QFETCH(bool, refused);
        for (const QString& folder :
             { u"old/Runtime"_s, u"new/Runtime"_s, u"lower/runtime"_s, u"bare/x"_s, u"deep/a/Runtime"_s })
            QVERIFY(QDir().mkpath(Path(folder)));
        WriteFile(Path(u"file/Runtime"_s), "");
        QVERIFY(Start(QString()));
        QCOMPARE(prompts_->Texts(u"Message"_s), QStringList { kNoExeMessage });
        QCOMPARE(Hint(), HintFor(dir_->path()));
        Choose(Path(u"old"_s));
        QCOMPARE(PoserPath(), Path(u"old"_s));
        QCOMPARE(prompts_->calls.constLast().request.directory, dir_->path());

        Choose(answer == u"-"_s ? std::nullopt : std::optional(answer.isEmpty() ? answer : Path(answer)));
        const qsizetype asked = prompts_->calls.size() - (refused ? 2 : 1);
        QCOMPARE(prompts_->calls[asked].kind, u"ChooseFolder"_s);
        QCOMPARE(QDir::fromNativeSeparators(prompts_->calls[asked].request.directory), Path(u"old"_s));
        const QString expected = chosen.isEmpty() ? dir_->path() : Path(chosen);
        QCOMPARE(PoserPath(), expected);
        QCOMPARE(Hint(), HintFor(expected));
        QCOMPARE(prompts_->Texts(u"Message"_s).mid(1),
                 refused ? QStringList { QDir::toNativeSeparators(Path(answer)) + u" holds no Runtime folder."_s }
                         : QStringList {});

        // Kept: the next start needs no poser.exe beside the program once a folder is chosen.
        QVERIFY(Restart(QString()));
        QCOMPARE(PoserPath(), expected);
        QCOMPARE(prompts_->Texts(u"Message"_s), chosen.isEmpty() ? QStringList { kNoExeMessage } : QStringList {});
    }

    // A chosen folder gone at start stays chosen; the program's folder serves meanwhile.
    void missingAtStart_data()
    {
        QTest::addColumn<bool>("poserExe");
        QTest::newRow("poser.exe beside the program") << true;
        QTest::newRow("no poser.exe") << false;
    }
    void missingAtStart()
    {
        QFETCH(bool, poserExe);
        const QString exe = poserExe ? u"poser.exe"_s : QString();
        const QString chosen = Path(u"drive/Poser"_s);
        QVERIFY(QDir().mkpath(chosen + u"/Runtime"_s));
        QVERIFY(Start(exe));
        Choose(chosen);
        QVERIFY(QDir(Path(u"drive"_s)).rename(u"Poser"_s, u"Gone"_s));

        QVERIFY(Restart(exe));
        QCOMPARE(prompts_->Texts(u"Message"_s),
                 QStringList { u"The Poser folder %1 is not there; using the program's folder"_s.arg(
                     QDir::toNativeSeparators(chosen)) });
        QCOMPARE(PoserPath(), dir_->path());
        QCOMPARE(Hint(), HintFor(dir_->path()));

        QVERIFY(QDir(Path(u"drive"_s)).rename(u"Gone"_s, u"Poser"_s));
        QVERIFY(Restart(exe));
        QCOMPARE(prompts_->calls.size(), 0);
        QCOMPARE(PoserPath(), chosen);
    }

    // Geometry is found through the chosen folder, then through the document's own.
    void geometry()
    {
        // The sample's geometry only in a Poser folder of its own; its hierarchy elsewhere.
        QVERIFY(QDir(dir_->path()).rename(u"Runtime"_s, u"poser-runtime"_s));
        QVERIFY(QDir().mkpath(Path(u"Poser"_s)));
        QVERIFY(QDir(dir_->path()).rename(u"poser-runtime"_s, u"Poser/Runtime"_s));
        const QString phi = Path(u"elsewhere/mannikin.phi"_s);
        WriteFile(phi, ReadAll(Path(u"Poser"_s) + kFigureFolder + u"/mannikin.phi"_s));
        // Another figure in a runtime of its own, as downloaded content comes.
        const QString other = Path(u"Content/Runtime/Geometries/Box/box.phi"_s);
        WriteFile(other, "objFile :Runtime:Geometries:Box:box.obj\r\n1 box xyz\r\n");
        WriteFile(Path(u"Content/Runtime/Geometries/Box/box.obj"_s), "v 0 0 0\r\ng box\r\nf 1 1 1\r\n");

        QVERIFY(Start());
        Open(phi);
        QVERIFY(w->Doc().FErrorCount() > 0);
        Choose(Path(u"Poser"_s));
        Open(phi);
        QCOMPARE(Diagnostics(), QStringList { u"Looks good!"_s });
        QVERIFY(!w->FTextMode());
        Open(other);
        QCOMPARE(w->Doc().FErrorCount(), 0);

        // The OBJ command's dialog and the Open dialog of an untitled document start there.
        w->RunCommand([this] { w->New1Click(); });
        prompts_->files.push_back(std::nullopt);
        w->RunCommand([this] { w->OBJButtonClick(); });
        QCOMPARE(QDir(prompts_->calls.constLast().request.directory), QDir(Path(u"Poser/Runtime/Geometries"_s)));
    }
};

QTEST_MAIN(PoserFolderTest)
#include "poser_folder_test.moc"
