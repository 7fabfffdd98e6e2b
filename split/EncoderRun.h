#pragma once

// One run of the external encoder for one section.

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QStringList>

class QTimer;

// Starts the encoder in its own process group with standard output and standard error merged
// into one pipe, and hands its output on in chunks of at most 4095 bytes, in order, as it
// arrives. Nothing here blocks the caller's thread.
//
// How a run ends, reported once by exactly one signal:
//  - outputEnded(): the encoder exited and all it wrote has been handed on. The exit code is
//    not looked at: a failed encode ends like any other. What else of its group still holds
//    the pipe is stopped with it (Stop()).
//  - failedToStart(): the program could not be started.
// After Stop() neither signal is sent any more.
class EncoderRun : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 ChunkSize = 4095;
    static constexpr int KillDelayMs = 2000;

    explicit EncoderRun(QObject* parent = nullptr);
    ~EncoderRun() override;

    void Start(const QString& program, const QStringList& arguments);

    // StopEncoder: SIGTERM to the whole group, which lets FFmpeg close a playable clip, then
    // SIGKILL to whatever of the group is still there KillDelayMs later. Harmless when the
    // encoder has already ended. The object deletes itself once the process is gone.
    void Stop();

    bool IsRunning() const;
    qint64 ProcessId() const { return m_pid; }

signals:
    void chunk(const QByteArray& data);
    void outputEnded();
    void failedToStart();

private:
    void ReadAvailable();
    void End();
    void OnFinished();

    QProcess* m_process;
    qint64 m_pid = 0;
    bool m_ended = false;
    bool m_stopped = false;
};
