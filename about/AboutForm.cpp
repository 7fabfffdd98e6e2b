#include "AboutForm.h"

TAboutForm::TAboutForm(QWidget* main, const QString&) : FixedDialog(main, true)
{
    setObjectName(QStringLiteral("TAboutForm"));
    setWindowTitle(QStringLiteral("About"));
    FixSize(476, 330);
}
