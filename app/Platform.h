#pragma once

// What the windows ask of the desktop, behind interfaces that tests replace: message boxes and
// file pickers, the shell's "open", and powering the computer off.

#include <QString>

class QWidget;

class UserDialogs
{
public:
    virtual ~UserDialogs() = default;
    // A modal box owned by owner: information icon, OK.
    virtual void Inform(QWidget* owner, const QString& caption, const QString& text) = 0;
    // A modal question owned by owner: question icon, Yes and No. True for Yes.
    virtual bool Ask(QWidget* owner, const QString& caption, const QString& text) = 0;
    // The plain message box titled with the application's title: OK only.
    virtual void Plain(QWidget* owner, const QString& text) = 0;
    // A file to open; filter in "Description|pattern|..." form. Empty when cancelled.
    virtual QString OpenFile(QWidget* owner, const QString& filter) = 0;
    // A folder; empty when cancelled. No trailing "/" except for the root.
    virtual QString PickFolder(QWidget* owner, const QString& title) = 0;
    // A file to save to; filter in "Description|pattern" form. Empty when cancelled.
    virtual QString SaveFile(QWidget* owner, const QString& folder, const QString& filter,
                             const QString& defaultSuffix) = 0;
};

class Shell
{
public:
    virtual ~Shell() = default;
    // Asks the desktop to open a folder, a file or a web address; the result is not looked at.
    virtual void Open(const QString& target) = 0;
};

class PowerControl
{
public:
    virtual ~PowerControl() = default;
    // Asks the system to power the computer off; the result is not looked at.
    virtual void PowerOff() = 0;
};

// "Description|pattern|Description|pattern" as Qt's file dialogs take it:
// "Description (pattern pattern);;...".
QString QtFileFilter(const QString& windowsFilter);
