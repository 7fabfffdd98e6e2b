#include "EncoderRun.h"

#include <QTimer>
#include <csignal>
#include <sys/types.h>
#include <unistd.h>

EncoderRun::EncoderRun(QObject* parent) : QObject(parent), m_process(new QProcess(this))
{
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    // The encoder never reads the terminal or the window's input.
    m_process->setStandardInputFile(QProcess::nullDevice());
    // A group of its own, so that stopping reaches FFmpeg under the front end too.
    m_process->setChildProcessModifier([] { ::setpgid(0, 0); });

    connect(m_process, &QProcess::started, this, [this] { m_pid = m_process->processId(); });
    connect(m_process, &QProcess::readyReadStandardOutput, this, &EncoderRun::ReadAvailable);
    connect(m_process, &QProcess::readChannelFinished, this, [this] {
        ReadAvailable();
        End();
    });
    connect(m_process, &QProcess::finished, this, &EncoderRun::OnFinished);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && !m_ended && !m_stopped) {
            m_ended = true;
            emit failedToStart();
        }
    });
}

EncoderRun::~EncoderRun()
{
    if (m_pid > 0 && m_process->state() != QProcess::NotRunning) {
        ::kill(-pid_t(m_pid), SIGTERM);
    }
    // QProcess's own destructor kills what is left of the leader; the front end takes FFmpeg
    // with it.
}

void EncoderRun::Start(const QString& program, const QStringList& arguments)
{
    m_process->start(program, arguments, QIODevice::ReadOnly);
}

bool EncoderRun::IsRunning() const
{
    return m_process->state() != QProcess::NotRunning;
}

void EncoderRun::ReadAvailable()
{
    while (!m_stopped && m_process->bytesAvailable() > 0) {
        const QByteArray data = m_process->read(ChunkSize);
        if (data.isEmpty()) {
            break;
        }
        emit chunk(data);
    }
}

void EncoderRun::End()
{
    if (m_ended || m_stopped) {
        return;
    }
    m_ended = true;
    emit outputEnded();
}

void EncoderRun::OnFinished()
{
    ReadAvailable();
    End();
    if (m_stopped) {
        deleteLater();
    }
}

void EncoderRun::Stop()
{
    if (m_stopped) {
        return;
    }
    m_stopped = true;
    if (m_process->state() == QProcess::NotRunning) {
        deleteLater();
        return;
    }
    if (m_pid > 0) {
        const pid_t group = pid_t(m_pid);
        ::kill(-group, SIGTERM);
        QTimer::singleShot(KillDelayMs, this, [this, group] {
            if (m_process->state() != QProcess::NotRunning) {
                ::kill(-group, SIGKILL);
            }
        });
    } else {
        // Still starting: there is no group yet to signal.
        m_process->kill();
    }
}
