#include "app/AppPaths.h"
#include "app/LogindPower.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "app/QtPlatform.h"
#include "app/Skin.h"

#include <QApplication>
#include <clocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // libmpv needs the C library's numbers in the "C" form; the application object has just
    // set them from the environment. Typed times use QLocale, not the C library.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("brindle"));
    QApplication::setDesktopFileName(QStringLiteral("brindle"));
    Skin::Apply(app);

    QtUserDialogs dialogs;
    DesktopShell shell;
    LogindPower power;
    QStringList args = QApplication::arguments();
    args.removeFirst();
    Program program(AppPaths::FromApplication(), args, &dialogs, &shell, &power);
    program.Main()->show();
    return app.exec();
}
