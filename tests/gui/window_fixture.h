#pragma once

// What the window tests share: a scratch Poser folder holding the sample figure, the
// windows made as at start-up, and scripted answers to every question.
#include "app/document.h"
#include "app/hierarchy_tree_view.h"
#include "app/phi_form.h"
#include "scripted_prompts.h"
#include "ui/settings.h"

#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace window_fixture {

inline const QString kFigureFolder = u"/Runtime/Geometries/Mannikin"_s;

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline QString WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qWarning("cannot write %s", qPrintable(path));
    return path;
}

} // namespace window_fixture

using namespace window_fixture;

class WindowFixture : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QTemporaryDir> settingsDir_; // apart, so that listings of dir_ see only the test's files
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<StoredSettings> settings_; // an empty file of the test's own
    std::unique_ptr<Document> document_;
    std::unique_ptr<TPHIForm> window_;
    TPHIForm* w = nullptr;
    QStringList figure_; // the sample figure's lines

    QString Path(const QString& name) const { return dir_->filePath(name); }
    QString SettingsFile() const { return settingsDir_->filePath(u"settings.ini"_s); }
    bool Start(const QString& exeName = u"poser.exe"_s)
    {
        if (!exeName.isEmpty())
            WriteFile(Path(exeName), "MZ");
        document_ = std::make_unique<Document>(Path(u"varnoke"_s));
        window_ = std::make_unique<TPHIForm>(*prompts_, *settings_, *document_);
        w = window_.get();
        w->show();
        QApplication::setActiveWindow(w);
        // A bare X server without a window manager exposes windows but activates none.
        if (QGuiApplication::platformName() == u"xcb"_s)
            return QTest::qWaitForWindowExposed(w);
        return QTest::qWaitForWindowActive(w);
    }
    QStringList Lines() const
    {
        QStringList lines;
        for (int i = 0; i < w->Doc().Lines().Count(); ++i)
            lines << QString::fromLatin1(w->Doc().Lines().Line(i));
        return lines;
    }
    QPlainTextEdit* TextMemo() const { return Control<QPlainTextEdit>(*w, u"TextMemo"_s); }
    HierarchyTreeView* TreeView1() const { return Control<HierarchyTreeView>(*w, u"TreeView1"_s); }
    QListView* WarningsList() const { return Control<QListView>(*w, u"WarningsList"_s); }
    QStringList Diagnostics() const
    {
        QStringList texts;
        const QAbstractItemModel* list = WarningsList()->model();
        for (int row = 0; row < list->rowCount(); ++row)
            texts << list->index(row, 0).data().toString();
        return texts;
    }
    QString Figure() const { return dir_->path() + kFigureFolder + u"/mannikin.phi"_s; }
    void Open(const QString& path)
    {
        prompts_->files.push_back(FileDialogAnswer { path, u"All Files (*.*)"_s });
        Control<QToolButton>(*w, u"LoadButton"_s)->click();
    }
    void Drop(const QStringList& paths)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        mime.setUrls(urls);
        QDragEnterEvent enter(w->rect().center(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &enter);
        QDropEvent drop(QPointF(w->rect().center()), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &drop);
    }
    void Caret(int line, int column, int toLine = -1, int toColumn = 0)
    {
        QTextCursor cursor(TextMemo()->document()->findBlockByNumber(line));
        cursor.setPosition(cursor.position() + column);
        if (toLine >= 0) {
            QTextCursor end(TextMemo()->document()->findBlockByNumber(toLine));
            cursor.setPosition(end.position() + toColumn, QTextCursor::KeepAnchor);
        }
        TextMemo()->setTextCursor(cursor);
        TextMemo()->setFocus();
    }
    void ClickDiagnostic(int row)
    {
        QListView* list = WarningsList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(row, 0)).center());
    }
    QModelIndex Node(const QString& text) const
    {
        const QModelIndexList found = TreeView1()->model()->match(TreeView1()->model()->index(0, 0), Qt::DisplayRole,
                                                                  text, 1, Qt::MatchContains | Qt::MatchRecursive);
        return found.isEmpty() ? QModelIndex() : found.constFirst();
    }

protected slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setQuitOnLastWindowClosed(false);
        QFile file(QStringLiteral(VARNOKE_EXAMPLES_DIR) + kFigureFolder + u"/mannikin.phi"_s);
        QVERIFY(file.open(QIODevice::ReadOnly));
        figure_ = QString::fromLatin1(file.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
        QCOMPARE(figure_.size(), 25);
    }
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        prompts_ = std::make_unique<ScriptedPrompts>();
        settingsDir_ = std::make_unique<QTemporaryDir>();
        settings_ = std::make_unique<StoredSettings>(SettingsFile());
        QVERIFY(QDir().mkpath(dir_->path() + kFigureFolder));
        for (const QString& name : { u"mannikin.phi"_s, u"mannikin.obj"_s })
            QVERIFY(QFile::copy(QStringLiteral(VARNOKE_EXAMPLES_DIR) + kFigureFolder + u'/' + name,
                                dir_->path() + kFigureFolder + u'/' + name));
    }
    void cleanup()
    {
        window_.reset();
        document_.reset();
        w = nullptr;
        QVERIFY2(prompts_->unexpected.isEmpty(), qPrintable(prompts_->unexpected.join(u"; "_s)));
        QVERIFY2(prompts_->confirms.empty() && prompts_->yesNos.empty() && prompts_->files.empty()
                     && prompts_->folders.empty(),
                 "answers left unused");
    }
};
