#include "Preferences.h"

#include "about/ProgramInfo.h"
#include "profiles/IniFile.h"

Preferences ReadPreferences(const AppPaths& paths, bool fromDefaults)
{
    const IniFile ini(paths.PreferencesPath());
    const QString section = fromDefaults ? QStringLiteral("Default") : QStringLiteral("Main");
    Preferences p;
    p.preview = ini.ReadBool(section, QStringLiteral("Preview"), true);
    p.overwrite = ini.ReadBool(section, QStringLiteral("Overwrite"), true);
    p.aptotic = ini.ReadBool(section, QStringLiteral("Aptotic"), true);
    p.outputDir = ini.ReadString(section, QStringLiteral("Output Dir"), paths.AppDir());
    p.autoOpenDir = ini.ReadBool(section, QStringLiteral("Auto Open Dir"), true);
    p.autoExit = ini.ReadBool(section, QStringLiteral("Auto Exit"), true);
    p.autoTurnOff = ini.ReadBool(section, QStringLiteral("Auto Turn Off"), true);
    p.profile = ini.ReadInteger(QStringLiteral("Main"), QStringLiteral("Profile"), 0);
    return p;
}

std::optional<QString> WritePreferences(const AppPaths& paths, const Preferences& p)
{
    const IniFile ini(paths.PreferencesPath());
    const QString main = QStringLiteral("Main");
    const bool ok = ini.WriteBool(main, QStringLiteral("Preview"), p.preview) &&
                    ini.WriteBool(main, QStringLiteral("Overwrite"), p.overwrite) &&
                    ini.WriteBool(main, QStringLiteral("Aptotic"), p.aptotic) &&
                    ini.WriteString(main, QStringLiteral("Output Dir"), p.outputDir) &&
                    ini.WriteBool(main, QStringLiteral("Auto Open Dir"), p.autoOpenDir) &&
                    ini.WriteBool(main, QStringLiteral("Auto Exit"), p.autoExit) &&
                    ini.WriteBool(main, QStringLiteral("Auto Turn Off"), p.autoTurnOff) &&
                    ini.WriteInteger(main, QStringLiteral("Profile"), p.profile);
    if (!ok) {
        return ini.WriteError();
    }
    return std::nullopt;
}

QString ReadVersionText(const AppPaths& paths)
{
    return IniFile(paths.PreferencesPath())
        .ReadString(QStringLiteral("Main"), QStringLiteral("Version"),
                    QString::fromLatin1(ProgramInfo::DefaultVersion));
}
