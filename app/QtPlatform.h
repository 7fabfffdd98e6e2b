#pragma once

#include "Platform.h"

// The real desktop: QMessageBox and QFileDialog, QDesktopServices, and logind over D-Bus.
class QtUserDialogs : public UserDialogs
{
public:
    void Inform(QWidget* owner, const QString& caption, const QString& text) override;
    bool Ask(QWidget* owner, const QString& caption, const QString& text) override;
    void Plain(QWidget* owner, const QString& text) override;
    QString OpenFile(QWidget* owner, const QString& filter) override;
    QString PickFolder(QWidget* owner, const QString& title) override;
    QString SaveFile(QWidget* owner, const QString& folder, const QString& filter,
                     const QString& defaultSuffix) override;
};

class DesktopShell : public Shell
{
public:
    void Open(const QString& target) override;
};
