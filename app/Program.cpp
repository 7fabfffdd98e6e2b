#include "Program.h"

#include "about/AboutForm.h"
#include "app/MainForm.h"
#include "profiles/OutputSettingsForm.h"
#include "profiles/SizeForm.h"
#include "settings/SettingForm.h"
#include "split/CountDownForm.h"
#include "ui_Main.h"

Program::Program(const AppPaths& paths, const QStringList& args, UserDialogs* dialogs, Shell* shell,
                 PowerControl* power)
{
    m_main = std::make_unique<TMainForm>(paths, &m_store, dialogs, shell, args);
    m_settings = std::make_unique<TSettingForm>(paths, m_main.get(), dialogs);
    m_countdown = std::make_unique<TCountDownForm>(m_main.get(), power);
    m_about = std::make_unique<TAboutForm>(m_main.get(), m_main->VersionText(), shell);
    m_editor = std::make_unique<TopSettingForm>(paths, m_main.get(), m_main->Form()->cmbProfile,
                                                &m_store, dialogs);
    m_size = std::make_unique<TSizeForm>(m_main.get(), &m_store, dialogs);
    m_editor->SetSizeForm(m_size.get());

    m_main->SetSettingForm(m_settings.get());
    m_main->SetAboutForm(m_about.get());
    m_main->SetCountdown(m_countdown.get());
    m_main->SetProfileEditor(m_editor.get());
}

Program::~Program()
{
    // The dialogs refer to the main window: they go first.
    m_size.reset();
    m_editor.reset();
    m_about.reset();
    m_countdown.reset();
    m_settings.reset();
    m_main.reset();
}
