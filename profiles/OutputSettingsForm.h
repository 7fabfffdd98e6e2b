#pragma once

#include "app/FixedDialog.h"

class ProfileStore;

// The profile editor: modeless, it leaves the main window usable.
class TopSettingForm : public FixedDialog
{
    Q_OBJECT
public:
    TopSettingForm(QWidget* main, ProfileStore* store);

private:
    ProfileStore* m_store;
};
