#pragma once

#include "app/AppPaths.h"
#include "app/FixedDialog.h"
#include "profiles/ProfileStore.h"

#include "profiles/ProfileFile.h"

#include <QToolButton>
#include <array>
#include <functional>
#include <memory>

namespace Ui {
class TopSettingForm;
}
class ProfileGrid;
class QComboBox;
class QFrame;
class TSizeForm;
class UserDialogs;

// The profile editor: the store's three groups as grids under collapsible bars. Modeless: the
// main window stays usable while it is open.
class TopSettingForm : public FixedDialog
{
    Q_OBJECT
public:
    // FormCreate: copies the main list's names; nothing selected, nothing loaded.
    TopSettingForm(AppPaths paths, QWidget* main, QComboBox* mainList, ProfileStore* store,
                   UserDialogs* dialogs);
    ~TopSettingForm() override;

    void SetSizeForm(TSizeForm* size) { m_size = size; }
    Ui::TopSettingForm* Form() const { return m_ui.get(); }
    ProfileGrid* Grid(ProfileGroup group) const { return m_grids[int(group)]; }
    QFrame* Bar(ProfileGroup group) const { return m_bars[int(group)]; }
    QToolButton* CollapseButton(ProfileGroup group) const { return m_buttons[int(group)]; }

    // The main window's "Detail".
    void BitBtn1Click();
    void cmbProfileChange();
    void Button1Click(); // OK
    void Button2Click(); // Cancel
    void btnSaveAsClick();
    void ToggleGroup(ProfileGroup group);

protected:
    void closeEvent(QCloseEvent* event) override; // the title bar: hide only
    void reject() override;                       // Escape: as Cancel

private:
    QString ListPath() const;
    void Relayout();
    void CheckCustomSize();
    void ApplyLoadedHeights();
    ProfileError SaveWithOriginalSize(const std::function<ProfileError()>& save);

    std::unique_ptr<Ui::TopSettingForm> m_ui;
    AppPaths m_paths;
    QComboBox* m_mainList;
    ProfileStore* m_store;
    UserDialogs* m_dialogs;
    TSizeForm* m_size = nullptr;
    std::array<QFrame*, 3> m_bars{};
    std::array<QToolButton*, 3> m_buttons{};
    std::array<ProfileGrid*, 3> m_grids{};
    std::array<int, 3> m_heights{18, 18, 18};
};
