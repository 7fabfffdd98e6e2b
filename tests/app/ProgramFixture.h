#pragma once

#include "FakePlatform.h"
#include "TestSupport.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "ui_Main.h"

#include <QImage>
#include <QString>
#include <memory>

// The six windows over a temporary program folder, with fake dialogs, shell and power.
struct ProgramFixture
{
    TempAppDir app;
    FakeDialogs dialogs;
    FakeShell shell;
    FakePower power;
    std::unique_ptr<Program> program;

    // preferences: the content of Preferences.ini, or a null array for no file.
    explicit ProgramFixture(const QByteArray& preferences = QByteArray(),
                            const QStringList& profiles = {"a", "b"})
    {
        for (const QString& name : profiles) {
            app.WriteFile("Profiles/" + name + ".apf", "[Main]\nType=" + name.toUtf8() + "\n");
        }
        if (!preferences.isNull()) {
            app.WriteFile("Preferences.ini", preferences);
        }
        program = std::make_unique<Program>(app.Paths(), QStringList{}, &dialogs, &shell, &power);
        program->Main()->show();
    }
    TMainForm* Main() const { return program->Main(); }
    Ui::TMainForm* Ui() const { return Main()->Form(); }

    // Saves a window's picture when BRINDLE_SCREENSHOTS names a folder.
    static void Screenshot(QWidget* window, const QString& name)
    {
        const QString folder = qEnvironmentVariable("BRINDLE_SCREENSHOTS");
        if (!folder.isEmpty()) {
            window->grab().save(folder + u'/' + name + QStringLiteral(".png"));
        }
    }
};
