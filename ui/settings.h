#pragma once

#include <QHash>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>

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

// The values in an INI file: the user's own (QSettings' place for the application) when no
// path is given. A file that cannot be read or parsed counts as empty; what is set then
// lives in memory only, so the damaged file stays as it was for whoever wants to look.
class StoredSettings final : public Settings {
public:
    explicit StoredSettings(const QString& filePath = {});
    ~StoredSettings() override;

    QVariant Value(const QString& key, const QVariant& fallback = {}) const override;
    void SetValue(const QString& key, const QVariant& value) override;
    // The file was there but could not be used.
    bool Damaged() const { return !file_; }

private:
    std::unique_ptr<QSettings> file_;
    MemorySettings instead_;
};
