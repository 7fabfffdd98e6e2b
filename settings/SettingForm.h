#pragma once

#include "app/AppPaths.h"
#include "app/FixedDialog.h"
#include "settings/Preferences.h"

#include <memory>

namespace Ui {
class TSettingForm;
}
class TMainForm;
class UserDialogs;

// The settings dialog. Its check boxes are the live preferences a job reads.
class TSettingForm : public FixedDialog
{
    Q_OBJECT
public:
    // Runs FormCreate: loads "Main" into the controls, selects the stored profile position in
    // the main list (loading nothing) and, with the fixed output folder rule on, sets the main
    // window's output folder.
    TSettingForm(AppPaths paths, TMainForm* main, UserDialogs* dialogs);
    ~TSettingForm() override;

    Ui::TSettingForm* Form() const { return m_ui.get(); }

    bool Overwrite() const;
    bool OpenDir() const;
    bool Exit() const;
    bool TurnOff() const;

    void LoadSettings(bool fromDefaults);
    // Writes the controls and the main list's position to "Main"; shows "Unable to write to
    // <path>" and returns false when the file cannot be written.
    bool SaveSettings();

    void btnOKClick();
    void btnCancelClick();
    void btnDefaultClick();

protected:
    void reject() override;                       // Escape: as Cancel
    void closeEvent(QCloseEvent* event) override; // the title-bar close: nothing saved or reloaded

private:
    Preferences FromControls() const;

    std::unique_ptr<Ui::TSettingForm> m_ui;
    AppPaths m_paths;
    TMainForm* m_main;
    UserDialogs* m_dialogs;
};
