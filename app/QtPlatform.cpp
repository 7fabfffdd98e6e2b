#include "QtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

QString QtFileFilter(const QString& windowsFilter)
{
    const QStringList parts = windowsFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        filters += parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters.join(QStringLiteral(";;"));
}

void QtUserDialogs::Inform(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

bool QtUserDialogs::Ask(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtUserDialogs::Plain(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, owner);
    box.exec();
}

QString QtUserDialogs::OpenFile(QWidget* owner, const QString& filter)
{
    return QFileDialog::getOpenFileName(owner, QString(), QString(), QtFileFilter(filter));
}

QString QtUserDialogs::PickFolder(QWidget* owner, const QString& title)
{
    return QFileDialog::getExistingDirectory(owner, title, QString(), QFileDialog::ShowDirsOnly);
}

QString QtUserDialogs::SaveFile(QWidget* owner, const QString& folder, const QString& filter,
                                const QString& defaultSuffix)
{
    QFileDialog dialog(owner, QString(), folder, QtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
               ? dialog.selectedFiles().first()
               : QString();
}

void DesktopShell::Open(const QString& target)
{
    const QUrl url =
        target.contains(QStringLiteral("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
    QDesktopServices::openUrl(url);
}
