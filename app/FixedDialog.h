#pragma once

#include <QDialog>

// A fixed-size dialog that lives for the whole run and is shown and hidden. Shown, it opens
// centred on the main window and, unless told otherwise, disables the main window until it is
// hidden again, however it is closed.
class FixedDialog : public QDialog
{
    Q_OBJECT
public:
    FixedDialog(QWidget* mainWindow, bool disablesMain, QWidget* parent = nullptr);

    QWidget* MainWindow() const { return m_main; }

signals:
    void closed();

protected:
    // Fixes the client size after the form's setupUi.
    void FixSize(int width, int height);
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* m_main;
    bool m_disablesMain;
};
