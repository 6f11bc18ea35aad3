// The installed program as its main() starts it, with a settings store of the test's own: no
// poser.exe beside the installed program and no Poser folder chosen, it asks for one; once a
// folder holding poser.exe and the installed sample is chosen, the next start opens a figure
// whose geometry only that folder holds, tested clean in the tree view, without a word.
#include "../gui/scripted_prompts.h"
#include "app/document.h"
#include "app/phi_form.h"
#include "app/start_up.h"
#include "ui/settings.h"

#include <QAction>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

bool CopyFolder(const QString& from, const QString& to)
{
    QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        const QString copy = to + file.mid(from.size());
        if (!QDir().mkpath(QFileInfo(copy).absolutePath()) || !QFile::copy(file, copy))
            return false;
    }
    return true;
}

// A window made as main() makes it, over the installed program.
struct Start {
    Start(const QString& program, const QString& settingsFile, const QString& file)
        : settings(settingsFile)
        , document(program)
        , window(prompts, settings, document)
    {
        window.show();
        OpenStartFile(window, prompts, QFileInfo(program).absolutePath(), QDir::toNativeSeparators(file));
    }
    ScriptedPrompts prompts;
    StoredSettings settings;
    Document document;
    TPHIForm window;
};

} // namespace

class InstalledStartTest : public QObject {
    Q_OBJECT

private slots:
    void aChosenPoserFolderServesTheInstalledProgram()
    {
        const QString prefix = qEnvironmentVariable("VARNOKE_INSTALLED");
        const QString program = prefix + u"/bin/varnoke"_s;
        QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program));
        QTemporaryDir poser;
        QTemporaryDir store;
        QVERIFY(CopyFolder(prefix + u"/share/varnoke/Runtime"_s, poser.filePath(u"Runtime"_s)));
        QFile exe(poser.filePath(u"poser.exe"_s));
        QVERIFY(exe.open(QIODevice::WriteOnly));
        exe.close();
        // Outside any Runtime folder: its objFile line is found through the Poser folder alone.
        const QString figure = store.filePath(u"figure.phi"_s);
        QVERIFY(QFile::copy(poser.filePath(u"Runtime/Geometries/Mannikin/mannikin.phi"_s), figure));
        const QString settingsFile = store.filePath(u"settings.ini"_s);

        {
            Start first(program, settingsFile, {});
            QCOMPARE(first.prompts.Texts(u"Message"_s).size(), 1);
            first.prompts.folders.push_back(poser.path());
            first.window.findChild<QAction*>(u"PoserFolder1"_s)->trigger();
            QCOMPARE(first.prompts.calls.size(), 2);
        }
        Start second(program, settingsFile, figure);
        QVERIFY(second.prompts.calls.isEmpty());
        QVERIFY(!second.window.FTextMode() && second.window.findChild<QTreeView*>(u"TreeView1"_s)->isVisible());
        QVERIFY(second.document.Lines().Count() > 0);
        QCOMPARE(second.document.FErrorCount(), 0);
    }
};

QTEST_MAIN(InstalledStartTest)
#include "installed_start_test.moc"
