#include "ui/settings.h"

#include <QFileInfo>

QVariant MemorySettings::Value(const QString& key, const QVariant& fallback) const
{
    return values_.value(key, fallback);
}

void MemorySettings::SetValue(const QString& key, const QVariant& value)
{
    values_.insert(key, value);
}

StoredSettings::StoredSettings(const QString& filePath)
{
    // The same format on every platform: the Windows registry could not be damaged on
    // purpose by a test, nor kept apart between tests under Wine.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    auto file = filePath.isEmpty() ? std::make_unique<QSettings>()
                                   : std::make_unique<QSettings>(filePath, QSettings::IniFormat);
    // The file is read at the first look.
    file->allKeys();
    const QFileInfo info(file->fileName());
    const bool unreadable = info.exists() && (!info.isFile() || !info.isReadable());
    if (file->status() == QSettings::NoError && !unreadable)
        file_ = std::move(file);
}

StoredSettings::~StoredSettings() = default;

QVariant StoredSettings::Value(const QString& key, const QVariant& fallback) const
{
    return file_ ? file_->value(key, fallback) : instead_.Value(key, fallback);
}

void StoredSettings::SetValue(const QString& key, const QVariant& value)
{
    if (file_)
        file_->setValue(key, value);
    else
        instead_.SetValue(key, value);
}
