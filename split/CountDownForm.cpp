#include "CountDownForm.h"

TCountDownForm::TCountDownForm(QWidget* main) : FixedDialog(main, true)
{
    setObjectName(QStringLiteral("TCountDownForm"));
    setWindowTitle(QStringLiteral("Countdown"));
    FixSize(376, 106);
}
