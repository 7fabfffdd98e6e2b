#pragma once

#include "app/AppPaths.h"
#include "profiles/ProfileStore.h"

#include <QStringList>
#include <memory>

class TMainForm;
class TSettingForm;
class TCountDownForm;
class TAboutForm;
class TopSettingForm;
class TSizeForm;
class UserDialogs;
class Shell;
class PowerControl;

// The composition root: the six windows, created in their fixed order and connected here, and
// kept until the program ends.
class Program
{
public:
    Program(const AppPaths& paths, const QStringList& args, UserDialogs* dialogs, Shell* shell,
            PowerControl* power);
    ~Program();

    TMainForm* Main() const { return m_main.get(); }
    TSettingForm* Settings() const { return m_settings.get(); }
    TCountDownForm* Countdown() const { return m_countdown.get(); }
    TAboutForm* About() const { return m_about.get(); }
    TopSettingForm* Editor() const { return m_editor.get(); }
    TSizeForm* Size() const { return m_size.get(); }
    ProfileStore& Store() { return m_store; }

private:
    ProfileStore m_store;
    std::unique_ptr<TMainForm> m_main;
    std::unique_ptr<TSettingForm> m_settings;
    std::unique_ptr<TCountDownForm> m_countdown;
    std::unique_ptr<TAboutForm> m_about;
    std::unique_ptr<TopSettingForm> m_editor;
    std::unique_ptr<TSizeForm> m_size;
};
