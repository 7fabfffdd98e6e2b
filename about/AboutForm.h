#pragma once

#include "app/FixedDialog.h"

// The About box.
class TAboutForm : public FixedDialog
{
    Q_OBJECT
public:
    TAboutForm(QWidget* main, const QString& versionText);
};
