#pragma once

#include "app/FixedDialog.h"

// The custom video size dialog.
class TSizeForm : public FixedDialog
{
    Q_OBJECT
public:
    explicit TSizeForm(QWidget* main);
};
