#pragma once

// The preview player over libmpv, without a picture of its own: with no video output it needs
// no display, which is how the command-line tool and the logic tests use it. The preview
// widget adds the picture through libmpv's render API on the same handle.

#include <QObject>
#include <QString>

struct mpv_handle;

class Player : public QObject
{
    Q_OBJECT
public:
    enum class Output
    {
        None,    // vo=null, ao=null: duration and position only
        Preview, // video through the render API (libmpv), sound to the default device
    };

    // LC_NUMERIC must be "C" (libmpv refuses to start otherwise): the program's main sets it
    // right after creating the application object.
    explicit Player(Output output = Output::None, QObject* parent = nullptr);
    ~Player() override;

    // False when libmpv could not be started; every other call is then a harmless no-op.
    bool IsValid() const { return m_mpv != nullptr; }
    mpv_handle* Handle() const { return m_mpv; }

    // Replaces the current file and starts playing it (paused when play is false). Ends with
    // loaded(true) once the file is open, or loaded(false) when it cannot be played.
    void Load(const QString& path, bool play = true);
    void Play();
    void Pause();
    // Playback stops at the beginning; the file stays open and its duration known.
    void Stop();
    // Exact seek to seconds from the start.
    void Seek(double seconds);

    bool IsLoaded() const { return m_loaded; }
    bool IsPlaying() const { return m_loaded && !m_paused; }
    // The duration in 100-ns units: seconds x 10^7, rounded; 0 while none is known.
    qint64 Duration100ns() const { return m_duration100ns; }
    // Whole milliseconds: Duration100ns() div 10000.
    qint64 DurationMs() const { return m_duration100ns / 10000; }
    // The playback position in seconds; 0 while none is known.
    double Position() const { return m_position; }

signals:
    void loaded(bool ok);
    void durationChanged(qint64 milliseconds);
    void positionChanged(double seconds);
    void pausedChanged(bool paused);

private:
    void DrainEvents();
    void SetDuration(double seconds);
    void Command(std::initializer_list<const char*> args);

    mpv_handle* m_mpv = nullptr;
    qint64 m_duration100ns = 0;
    double m_position = 0.0;
    bool m_paused = true;
    bool m_loaded = false;
    bool m_loading = false;
};
