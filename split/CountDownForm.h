#pragma once

#include "app/FixedDialog.h"

#include <QTimer>
#include <memory>

namespace Ui {
class TCountDownForm;
}
class PowerControl;
class TMainForm;

// The ten-second countdown before the program exits or the computer is turned off.
class TCountDownForm : public FixedDialog
{
    Q_OBJECT
public:
    enum Action
    {
        ExitProgram = 0,
        TurnOff = 1
    };

    TCountDownForm(TMainForm* main, PowerControl* power);
    ~TCountDownForm() override;

    Ui::TCountDownForm* Form() const { return m_ui.get(); }

    // Set before each showing.
    void Prepare(int action, const QString& nowCaption, const QString& messagePrefix);

    int SecondsLeft() const { return m_secondsLeft; }
    int CountdownAction() const { return m_action; }
    const QString& MessagePrefix() const { return m_prefix; }
    QTimer& Timer() { return m_tmrCountdown; }

    void tmrCountdownTimer();
    void btnDoNowClick();
    void btnCancelClick();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::unique_ptr<Ui::TCountDownForm> m_ui;
    TMainForm* m_main;
    PowerControl* m_power;
    QTimer m_tmrCountdown;
    int m_secondsLeft = 10;
    int m_action = ExitProgram;
    QString m_prefix;
};
