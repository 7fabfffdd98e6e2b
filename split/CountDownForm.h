#pragma once

#include "app/FixedDialog.h"

// The countdown before the program exits or turns the computer off.
class TCountDownForm : public FixedDialog
{
    Q_OBJECT
public:
    explicit TCountDownForm(QWidget* main);
};
