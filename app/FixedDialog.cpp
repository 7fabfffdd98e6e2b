#include "FixedDialog.h"

#include <QShowEvent>
#include <QWindow>

FixedDialog::FixedDialog(QWidget* mainWindow, bool disablesMain, QWidget* parent)
    : QDialog(parent), m_main(mainWindow), m_disablesMain(disablesMain)
{
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
}

void FixedDialog::FixSize(int width, int height)
{
    setFixedSize(width, height);
}

void FixedDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    if (m_main) {
        move(m_main->geometry().center() - rect().center());
        if (windowHandle() && m_main->windowHandle()) {
            windowHandle()->setTransientParent(m_main->windowHandle());
        }
        if (m_disablesMain) {
            m_main->setEnabled(false);
        }
    }
}

void FixedDialog::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (event->spontaneous()) {
        return;
    }
    if (m_main && m_disablesMain) {
        m_main->setEnabled(true);
    }
    emit closed();
}
