#pragma once

// The preferences file, "Preferences.ini" in the program folder: sections "Main" (the live
// values) and "Default" (what "Load Default" restores; never written by the program).

#include "app/AppPaths.h"

#include <QString>
#include <optional>

struct Preferences
{
    bool preview = true;     // "Preview"
    bool overwrite = true;   // "Overwrite": replace existing clips without asking
    bool aptotic = true;     // "Aptotic": use the fixed output folder
    QString outputDir;       // "Output Dir"; AppDir when absent
    bool autoOpenDir = true; // "Auto Open Dir"
    bool autoExit = true;    // "Auto Exit"
    bool autoTurnOff = true; // "Auto Turn Off"
    qint32 profile = 0;      // "Profile": the main profile list's position; -1 for none
};

// Reads section "Default" (fromDefaults) or "Main". Missing keys, and values that are not whole
// numbers where one is expected, give the defaults above. "Profile" is read from "Main" only.
Preferences ReadPreferences(const AppPaths& paths, bool fromDefaults = false);

// Writes section "Main" key by key in the file's order: Preview, Overwrite, Aptotic,
// Output Dir, Auto Open Dir, Auto Exit, Auto Turn Off, Profile. Stops at the first key that
// cannot be written and returns "Unable to write to <path>"; nullopt on success.
std::optional<QString> WritePreferences(const AppPaths& paths, const Preferences& preferences);

// "Version" of section "Main", "1.8" when absent. Read only; the program never writes it.
QString ReadVersionText(const AppPaths& paths);
