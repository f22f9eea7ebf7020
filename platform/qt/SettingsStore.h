#pragma once

#include <QString>

// The per-user settings store: an INI file in a folder named after the organisation,
// named after the program file (for "Tovamo Dispenser" and tovamo:
// ~/.config/Tovamo Dispenser/tovamo.conf, or below $XDG_CONFIG_HOME). Integers only,
// which is all the program keeps.
class CSettingsStore {
public:
    // application: the settings file's base name; empty = the running program's name.
    explicit CSettingsStore(QString organisation, QString application = {});

    // A value that is missing or not an integer reads as defaultValue.
    int GetProfileInt(const QString& section, const QString& entry, int defaultValue) const;
    // Returns false when the value could not be stored; callers may ignore it.
    bool WriteProfileInt(const QString& section, const QString& entry, int value);

    // Read afresh each time, so $XDG_CONFIG_HOME is honoured as it is now.
    QString FileName() const;

private:
    QString m_strOrganisation;
    QString m_strApplication;
};
