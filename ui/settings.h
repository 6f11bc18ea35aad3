#pragma once

#include <QHash>
#include <QSettings>
#include <QString>
#include <QVariant>

// Named values kept from one run to the next. The window is given its store as it is
// given its prompts, so tests run with an empty one of their own.
class Settings {
public:
    virtual ~Settings() = default;
    // The stored value, or the fallback when there is none.
    virtual QVariant Value(const QString& key, const QVariant& fallback = {}) const = 0;
    virtual void SetValue(const QString& key, const QVariant& value) = 0;
};

// The values in memory only, gone with the object.
class MemorySettings final : public Settings {
public:
    QVariant Value(const QString& key, const QVariant& fallback = {}) const override;
    void SetValue(const QString& key, const QVariant& value) override;

private:
    QHash<QString, QVariant> values_;
};

// The values in the user's settings of the platform (QSettings).
class StoredSettings final : public Settings {
public:
    QVariant Value(const QString& key, const QVariant& fallback = {}) const override;
    void SetValue(const QString& key, const QVariant& value) override;

private:
    QSettings settings_;
};
