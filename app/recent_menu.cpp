// "Open Recent": the files opened or saved last, each opened as a drop of it would be.
#include "app/command_error.h"
#include "app/phi_form.h"
#include "ui/settings.h"

#include <QFileInfo>
#include <QMenu>
#include <QScopeGuard>

namespace {

const QString kRecentKey = QStringLiteral("files/recent");
const QString kRecentHint = QStringLiteral("Open a recently used PHI file");

} // namespace

void TPHIForm::CreateRecentMenu()
{
    recent_ = RecentFiles(settings_.Value(kRecentKey).toStringList());
    recentMenu_ = AddSubmenu(fileMenu_, "OpenRecent1", QStringLiteral("Open &Recent"), kRecentHint,
                             [this] { OpenRecent1Click(); });
    ShowRecentFiles();
}

void TPHIForm::ShowRecentFiles()
{
    recentMenu_->clear();
    const QStringList& paths = recent_.Paths();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QByteArray name = "RecentFile" + QByteArray::number(i + 1);
        AddMenuItem(recentMenu_, name.constData(), RecentFiles::Caption(i, paths[i]), kRecentHint,
                    [this, path = paths[i]] { OpenRecentFile(path); });
    }
    AddSeparator(recentMenu_, "N6");
    clearRecentAction_
        = AddMenuItem(recentMenu_, "ClearRecent1", QStringLiteral("&Clear"),
                      QStringLiteral("Clear the list of recently used files"), [this] { ClearRecent1Click(); });
    recentShown_ = paths;
}

void TPHIForm::OpenRecent1Click()
{
    // An item still current must outlive this: its key runs it after the handler.
    if (recentShown_ != recent_.Paths())
        ShowRecentFiles();
    clearRecentAction_->setEnabled(!recent_.Paths().isEmpty());
}

void TPHIForm::OpenRecentFile(const QString& path)
{
    // A file that is gone leaves the list, whatever Open then says about it.
    const auto forgetGone = qScopeGuard([&] {
        if (!QFileInfo::exists(path))
            ForgetFile(path);
    });
    HandleDroppedFiles({ path });
}

void TPHIForm::ClearRecent1Click()
{
    recent_.Clear();
    settings_.SetValue(kRecentKey, recent_.Paths());
}

void TPHIForm::RememberFile(const QString& path)
{
    recent_.Add(path);
    settings_.SetValue(kRecentKey, recent_.Paths());
}

void TPHIForm::ForgetFile(const QString& path)
{
    recent_.Remove(path);
    settings_.SetValue(kRecentKey, recent_.Paths());
}
