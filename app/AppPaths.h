#pragma once

#include <QString>

// Where the program's files live. Built once at start from the executable's folder and passed
// to whatever needs a path, so that tests can build one on a temporary folder.
class AppPaths
{
public:
    AppPaths() = default;
    // folder: the program folder, with or without its trailing "/".
    explicit AppPaths(const QString& folder);

    // The folder of the running executable (QCoreApplication must exist).
    static AppPaths FromApplication();

    const QString& AppDir() const { return m_appDir; }
    QString EncoderPath() const { return m_appDir + QStringLiteral("wmaspi.dll"); }
    QString PreferencesPath() const { return m_appDir + QStringLiteral("Preferences.ini"); }
    QString ProfileDir() const { return m_appDir + QStringLiteral("Profiles/"); }
    QString ProfilePath(const QString& displayName) const
    {
        return ProfileDir() + displayName + QStringLiteral(".apf");
    }
    QString HelpPath() const;

private:
    QString m_appDir;
};
