#include "platform/qt/SettingsStore.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>

namespace {
QString Key(const QString& section, const QString& entry) {
    return section + QLatin1Char('/') + entry;
}
}  // namespace

CSettingsStore::CSettingsStore(QString organisation, QString application)
    : m_strOrganisation(std::move(organisation)),
      m_strApplication(application.isEmpty() ? QCoreApplication::applicationName() : std::move(application)) {
}

int CSettingsStore::GetProfileInt(const QString& section, const QString& entry, int defaultValue) const {
    QSettings settings(FileName(), QSettings::IniFormat);
    bool ok = false;
    const int value = settings.value(Key(section, entry)).toInt(&ok);
    return ok ? value : defaultValue;
}

bool CSettingsStore::WriteProfileInt(const QString& section, const QString& entry, int value) {
    QSettings settings(FileName(), QSettings::IniFormat);
    settings.setValue(Key(section, entry), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

// INI text in <config home>/<organisation>/<application>.conf, the name the platform's
// own settings use; built here because Qt's INI format would name it .ini.
QString CSettingsStore::FileName() const {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           m_strOrganisation + QLatin1Char('/') + m_strApplication + QStringLiteral(".conf");
}
