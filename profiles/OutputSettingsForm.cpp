#include "OutputSettingsForm.h"

TopSettingForm::TopSettingForm(QWidget* main, ProfileStore* store)
    : FixedDialog(main, false), m_store(store)
{
    setObjectName(QStringLiteral("TopSettingForm"));
    setWindowTitle(QStringLiteral("Profile"));
    FixSize(391, 472);
}
