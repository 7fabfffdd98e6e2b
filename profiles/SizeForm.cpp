#include "SizeForm.h"

TSizeForm::TSizeForm(QWidget* main) : FixedDialog(main, true)
{
    setObjectName(QStringLiteral("TSizeForm"));
    setWindowTitle(QStringLiteral("Video Size of output files"));
    FixSize(336, 106);
}
