#include "CountDownForm.h"

#include "app/MainForm.h"
#include "app/Platform.h"
#include "ui_Countdown.h"

#include <QShowEvent>
#include <QStyle>

TCountDownForm::TCountDownForm(TMainForm* main, PowerControl* power)
    : FixedDialog(main, true), m_ui(std::make_unique<Ui::TCountDownForm>()), m_main(main),
      m_power(power)
{
    m_ui->setupUi(this);
    FixSize(376, 106);
    m_ui->Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    m_tmrCountdown.setInterval(1000);
    connect(&m_tmrCountdown, &QTimer::timeout, this, &TCountDownForm::tmrCountdownTimer);
    connect(m_ui->btnDoNow, &QPushButton::clicked, this, &TCountDownForm::btnDoNowClick);
    connect(m_ui->btnCancel, &QPushButton::clicked, this, &TCountDownForm::btnCancelClick);
}

TCountDownForm::~TCountDownForm() = default;

void TCountDownForm::Prepare(int action, const QString& nowCaption, const QString& messagePrefix)
{
    m_action = action;
    m_ui->btnDoNow->setText(nowCaption);
    m_prefix = messagePrefix;
}

void TCountDownForm::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event); // disables the main window
    if (event->spontaneous()) {
        return;
    }
    m_ui->labMessage->setText(m_prefix + QStringLiteral(" 10 seconds."));
    m_secondsLeft = 10;
    m_tmrCountdown.start();
}

void TCountDownForm::tmrCountdownTimer()
{
    --m_secondsLeft;
    m_ui->labMessage->setText(m_prefix + u' ' + QString::number(m_secondsLeft) +
                              QStringLiteral(" seconds."));
    if (m_secondsLeft == 0) {
        m_tmrCountdown.stop();
        btnDoNowClick();
    }
}

void TCountDownForm::btnDoNowClick()
{
    // The countdown goes on: a refused power-off leaves the dialog counting down to 0.
    if (m_action == ExitProgram) {
        m_main->close();
    } else if (m_action == TurnOff && m_power) {
        m_power->PowerOff();
    }
}

void TCountDownForm::btnCancelClick()
{
    close();
}

void TCountDownForm::hideEvent(QHideEvent* event)
{
    FixedDialog::hideEvent(event); // enables the main window
    if (event->spontaneous()) {
        return;
    }
    m_tmrCountdown.stop();
    m_main->EndSplitUi();
}
