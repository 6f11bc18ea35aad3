// The desktop program's command line: `varnoke FILE` opens FILE as a drop on the window
// would, --help and --version print and end, and names a Windows path cannot hold.
#include "app/start_up.h"
#include "window_fixture.h"

#include <QProcess>

class StartUpTest : public WindowFixture {
    Q_OBJECT

    // What a window shows after opening: its text, view, diagnostics and boxes.
    struct Outcome {
        QStringList lines;
        bool textMode = true;
        QStringList diagnostics;
        QStringList boxes;
        QString saveName;
        bool operator==(const Outcome&) const = default;
    };
    Outcome Seen() const
    {
        QStringList boxes;
        for (const ScriptedPrompts::Call& call : prompts_->calls)
            boxes << call.kind + u": "_s + call.text;
        return { Lines(), w->FTextMode(), Diagnostics(), boxes, w->Doc().SavePath() };
    }

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("file"); // as the working folder @w sees it, @ the root folder
        const int run = int(StartCommand::Action::Run);
        const int wrong = int(StartCommand::Action::Wrong);
        QTest::newRow("nothing") << QStringList {} << run << QString();
        QTest::newRow("absolute") << QStringList { u"@p/a.phi"_s } << run << u"@p/a.phi"_s;
        QTest::newRow("relative") << QStringList { u"f/a.phi"_s } << run << u"@w/f/a.phi"_s;
        QTest::newRow("dot dot") << QStringList { u"../p/./a.phi"_s } << run << u"@p/a.phi"_s;
        QTest::newRow("first of several") << QStringList { u"a.phi"_s, u"b.phi"_s } << run << u"@w/a.phi"_s;
        QTest::newRow("dash is a file") << QStringList { u"-"_s } << run << u"@w/-"_s;
        QTest::newRow("after --") << QStringList { u"--"_s, u"--help"_s } << run << u"@w/--help"_s;
        QTest::newRow("help") << QStringList { u"a.phi"_s, u"--help"_s } << int(StartCommand::Action::Help)
                              << QString();
        QTest::newRow("-h") << QStringList { u"-h"_s } << int(StartCommand::Action::Help) << QString();
        QTest::newRow("version") << QStringList { u"--version"_s, u"x"_s } << int(StartCommand::Action::Version)
                                 << QString();
        QTest::newRow("unknown option") << QStringList { u"--tree"_s, u"a.phi"_s } << wrong << QString();
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, file);
        const int run = int(StartCommand::Action::Run);
        const int wrong = int(StartCommand::Action::Wrong);
        // The root folder: / here, a drive's on Windows.
        arguments.replaceInStrings(u"@"_s, QDir::rootPath());
        file.replace(u"@"_s, QDir::rootPath());
        const StartCommand command = ParseStartCommand(arguments, QDir::rootPath() + u"w"_s);
        QCOMPARE(int(command.action), action);
        QCOMPARE(command.file, QDir::toNativeSeparators(file));
        QCOMPARE(command.error.isEmpty(), action != wrong);
        if (action == wrong)
            QVERIFY(command.error.contains(arguments.constFirst()));
        const QString text = StartCommandText(command);
        QCOMPARE(text.isEmpty(), action == run);
        if (action == int(StartCommand::Action::Version))
            QCOMPARE(text.trimmed(), u"varnoke "_s + QStringLiteral(VARNOKE_VERSION));
        if (action == int(StartCommand::Action::Help) || action == wrong) {
            for (const QString& option : { u"--help"_s, u"--version"_s, u"FILE"_s })
                QVERIFY(text.contains(option));
        }
    }

    // Start-up with FILE leaves the window as a drop of FILE on a fresh window does.
    void fileAsADrop_data()
    {
        QTest::addColumn<QStringList>("arguments"); // relative to the scratch folder; @ is that folder
        QTest::addColumn<bool>("opens");
        QTest::newRow("the sample") << QStringList { u"@"_s + kFigureFolder + u"/mannikin.phi"_s } << true;
        QTest::newRow("relative") << QStringList { kFigureFolder.mid(1) + u"/mannikin.phi"_s } << true;
        QTest::newRow("first of two") << QStringList { u"broken.phi"_s, u"Runtime/x.phi"_s } << true;
        QTest::newRow("missing") << QStringList { u"missing.phi"_s, kFigureFolder.mid(1) + u"/mannikin.phi"_s }
                                 << false;
        QTest::newRow("a folder") << QStringList { u"Runtime"_s } << false;
    }
    void fileAsADrop()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, opens);
        arguments.replaceInStrings(u"@"_s, dir_->path());
        WriteFile(Path(u"broken.phi"_s), "1 hip\r\n3 abdomen xyz\r\n");
        const StartCommand command = ParseStartCommand(arguments, dir_->path());
        QCOMPARE(command.action, StartCommand::Action::Run);

        QVERIFY(Start());
        OpenStartFile(*w, *prompts_, dir_->path(), command.file);
        const Outcome started = Seen();
        QCOMPARE(started.lines.isEmpty(), !opens);
        QCOMPARE(prompts_->Texts(u"Error"_s).size(), opens ? 0 : 1);
        if (!opens)
            QVERIFY(prompts_->Texts(u"Error"_s).constFirst().contains(QDir::toNativeSeparators(command.file)));

        window_.reset();
        prompts_ = std::make_unique<ScriptedPrompts>();
        QVERIFY(Start());
        Drop({ command.file });
        QCOMPARE(started, Seen());
    }

    // The sample opens clean: the tree view and no error, as a test from the text view finds.
    void sampleOpensInTheTree()
    {
        QVERIFY(Start());
        OpenStartFile(*w, *prompts_, dir_->path(), QDir::toNativeSeparators(Figure()));
        QVERIFY(!w->FTextMode() && TreeView1()->isVisible());
        QCOMPARE(w->Doc().FErrorCount(), 0);
        QCOMPARE(Lines().size(), figure_.size());
        QVERIFY(prompts_->calls.isEmpty());
    }

    void namesBeyondLatin1_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("named"); // the folder the message names; empty: none
        QTest::newRow("ASCII") << u"/Poser/Runtime/a.phi"_s << QString();
        QTest::newRow("Latin-1") << u"/Users/J\u00f6rg/Poser \u00c9/a.phi"_s << QString();
        QTest::newRow("Cyrillic user") << u"/Users/\u0418\u0432\u0430\u043d/Poser/a.phi"_s
                                       << u"/Users/\u0418\u0432\u0430\u043d"_s;
        QTest::newRow("in the file's name") << u"/Poser/\u20ac.phi"_s << u"/Poser/\u20ac.phi"_s;
        QTest::newRow("Windows path") << u"C:\\Program Files\\\u03a0\\x\\varnoke.exe"_s
                                      << u"C:\\Program Files\\\u03a0"_s;
    }
    void namesBeyondLatin1()
    {
        QFETCH(QString, path);
        QFETCH(QString, named);
        QVERIFY(!UnusableFolderMessage(path, false));
        const std::optional<QString> message = UnusableFolderMessage(path, true);
        QCOMPARE(message.has_value(), !named.isEmpty());
        if (message) {
            const QString folder = QDir::toNativeSeparators(named);
            QVERIFY2(message->contains(folder + u':') || message->contains(folder + u' '), qPrintable(*message));
            if (named.size() < path.size()) // the folder alone, not what lies below it
                QVERIFY(!message->contains(QDir::toNativeSeparators(path.left(named.size() + 1))));
        }
    }

    // Where paths are Latin-1, a document or program folder beyond it gives one message that
    // names it, never an error about a file name full of question marks.
    void folderBeyondLatin1()
    {
        const QString folder = Path(u"\u0418\u0432\u0430\u043d"_s);
        QVERIFY(QDir().mkpath(folder + kFigureFolder));
        const QString figure = folder + kFigureFolder + u"/mannikin.phi"_s;
        QVERIFY(QFile::copy(Figure(), figure));
        QVERIFY(QFile::copy(dir_->path() + kFigureFolder + u"/mannikin.obj"_s,
                            folder + kFigureFolder + u"/mannikin.obj"_s));
        QVERIFY(Start());
        OpenStartFile(*w, *prompts_, folder, QDir::toNativeSeparators(figure));
        if (!kPathsAreLatin1) {
            QVERIFY(prompts_->calls.isEmpty() && !w->FTextMode());
            return;
        }
        QCOMPARE(prompts_->Texts(u"Message"_s).size(), 1);
        QCOMPARE(prompts_->Texts(u"Error"_s).size(), 1);
        for (const QString& text : prompts_->Texts(u"Message"_s) + prompts_->Texts(u"Error"_s)) {
            QVERIFY(text.contains(QDir::toNativeSeparators(folder)));
            QVERIFY(!text.contains(u'?'));
        }
        QVERIFY(Lines().isEmpty());
    }

    // The program itself: --version and a wrong command line, without a display.
    void programCommandLine()
    {
#ifdef _WIN32
        QSKIP("on Windows the program shows the text in a box too, which waits for a person");
#endif
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        environment.remove(u"QT_QPA_PLATFORM"_s);
        program.setProcessEnvironment(environment);
        for (const auto& [argument, status] : { std::pair { u"--version"_s, 0 }, std::pair { u"--nope"_s, 2 } }) {
            program.start(QStringLiteral(VARNOKE_PROGRAM), { argument });
            QVERIFY(program.waitForFinished(30000));
            QCOMPARE(program.exitCode(), status);
            const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
            const QString err = QString::fromLocal8Bit(program.readAllStandardError());
            QCOMPARE(out, status == 0 ? StartCommandText({ StartCommand::Action::Version, {}, {} }) : QString());
            if (status != 0)
                QVERIFY(err.contains(argument) && err.contains(u"--help"_s));
        }
    }
};

QTEST_MAIN(StartUpTest)
#include "start_up_test.moc"
