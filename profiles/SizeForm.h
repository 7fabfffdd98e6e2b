#pragma once

#include "app/FixedDialog.h"

#include <memory>

namespace Ui {
class TSizeForm;
}
class ProfileStore;
class UserDialogs;

// A frame size the "Video Size" list does not offer, written into that row as typed.
class TSizeForm : public FixedDialog
{
    Q_OBJECT
public:
    TSizeForm(QWidget* main, ProfileStore* store, UserDialogs* dialogs);
    ~TSizeForm() override;

    Ui::TSizeForm* Form() const { return m_ui.get(); }
    void btnOKClick();

protected:
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Ui::TSizeForm> m_ui;
    ProfileStore* m_store;
    UserDialogs* m_dialogs;
};
