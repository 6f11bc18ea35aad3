// What the window keeps between runs: its place and size, the splitter, where the file
// dialogs stand. With nothing kept the window starts as it always has.
#include "app/phi_form.h"
#include "ui/settings.h"

#include <QSplitter>

namespace {

const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kStateKey = QStringLiteral("window/state");
const QString kSplitterKey = QStringLiteral("window/splitter");
const QString kFolderKey = QStringLiteral("dialogs/folder");
const QString kOpenFilterKey = QStringLiteral("dialogs/openFilter");

} // namespace

void TPHIForm::RestoreSettings()
{
    // A place restored is the user's: the first placement must not size the window again.
    if (restoreGeometry(settings_.Value(kGeometryKey).toByteArray()))
        placed_ = true;
    restoreState(settings_.Value(kStateKey).toByteArray());
    splitter_->restoreState(settings_.Value(kSplitterKey).toByteArray());
    lastFileFolder_ = settings_.Value(kFolderKey).toString();
    openFilter_ = settings_.Value(kOpenFilterKey).toString();
    RestorePoserFolder();
}

void TPHIForm::SaveWindowSettings()
{
    settings_.SetValue(kGeometryKey, saveGeometry());
    settings_.SetValue(kStateKey, saveState());
    settings_.SetValue(kSplitterKey, splitter_->saveState());
}

void TPHIForm::RememberFileFolder(const QString& folder)
{
    lastFileFolder_ = folder;
    settings_.SetValue(kFolderKey, folder);
}

void TPHIForm::RememberOpenFilter(const QString& filter)
{
    openFilter_ = filter;
    settings_.SetValue(kOpenFilterKey, filter);
}
