#include "ui/settings.h"

QVariant MemorySettings::Value(const QString& key, const QVariant& fallback) const
{
    return values_.value(key, fallback);
}

void MemorySettings::SetValue(const QString& key, const QVariant& value)
{
    values_.insert(key, value);
}

QVariant StoredSettings::Value(const QString& key, const QVariant& fallback) const
{
    return settings_.value(key, fallback);
}

void StoredSettings::SetValue(const QString& key, const QVariant& value)
{
    settings_.setValue(key, value);
}
