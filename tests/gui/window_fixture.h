#pragma once

// What the window tests share: a scratch Poser folder holding the sample figure, the
// windows made as at start-up, and scripted answers to every question.
#include "app/forms.h"
#include "app/hierarchy_tree_view.h"
#include "app/text_memo.h"
#include "scripted_prompts.h"

#include <QListWidget>
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
    std::unique_ptr<ScriptedPrompts> prompts_;
    VarnokeForms forms_;
    TPHIForm* w = nullptr;
    QStringList figure_; // the sample figure's lines

    QString Path(const QString& name) const { return dir_->filePath(name); }
    bool Start(const QString& exeName = u"poser.exe"_s)
    {
        if (!exeName.isEmpty())
            WriteFile(Path(exeName), "MZ");
        forms_ = CreateForms(*prompts_, Path(u"varnoke"_s));
        w = forms_.PHIForm.get();
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
        for (int i = 0; i < w->Lines().Count(); ++i)
            lines << QString::fromLatin1(w->Lines().Line(i));
        return lines;
    }
    QStringList Diagnostics() const
    {
        QStringList texts;
        for (int i = 0; i < w->WarningsList->count(); ++i)
            texts << w->WarningsList->item(i)->text();
        return texts;
    }
    QString Figure() const { return dir_->path() + kFigureFolder + u"/mannikin.phi"_s; }
    void Open(const QString& path)
    {
        prompts_->files.push_back(FileDialogAnswer { path, u"All Files (*.*)"_s });
        w->LoadButton->click();
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
        QTextCursor cursor(w->TextMemo->document()->findBlockByNumber(line));
        cursor.setPosition(cursor.position() + column);
        if (toLine >= 0) {
            QTextCursor end(w->TextMemo->document()->findBlockByNumber(toLine));
            cursor.setPosition(end.position() + toColumn, QTextCursor::KeepAnchor);
        }
        w->TextMemo->setTextCursor(cursor);
        w->TextMemo->setFocus();
    }
    void ClickDiagnostic(int row)
    {
        QListWidgetItem* item = w->WarningsList->item(row);
        QTest::mouseClick(w->WarningsList->viewport(), Qt::LeftButton, {},
                          w->WarningsList->visualItemRect(item).center());
    }
    QModelIndex Node(const QString& text) const
    {
        const QModelIndexList found = w->TreeView1->model()->match(w->TreeView1->model()->index(0, 0), Qt::DisplayRole,
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
        QVERIFY(QDir().mkpath(dir_->path() + kFigureFolder));
        for (const QString& name : { u"mannikin.phi"_s, u"mannikin.obj"_s })
            QVERIFY(QFile::copy(QStringLiteral(VARNOKE_EXAMPLES_DIR) + kFigureFolder + u'/' + name,
                                dir_->path() + kFigureFolder + u'/' + name));
    }
    void cleanup()
    {
        forms_ = VarnokeForms();
        w = nullptr;
        QVERIFY2(prompts_->unexpected.isEmpty(), qPrintable(prompts_->unexpected.join(u"; "_s)));
        QVERIFY2(prompts_->confirms.empty() && prompts_->files.empty(), "answers left unused");
    }
};
