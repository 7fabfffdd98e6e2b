#include "Player.h"

#include <QMetaObject>
#include <cmath>
#include <mpv/client.h>
#include <vector>

namespace {

enum : quint64
{
    DurationId = 1,
    PositionId = 2,
    PauseId = 3
};

} // namespace

Player::Player(Output output, QObject* parent) : QObject(parent)
{
    m_mpv = mpv_create();
    if (!m_mpv) {
        return;
    }
    const bool preview = output == Output::Preview;
    mpv_set_option_string(m_mpv, "config", "no");
    mpv_set_option_string(m_mpv, "input-default-bindings", "no");
    mpv_set_option_string(m_mpv, "input-vo-keyboard", "no");
    mpv_set_option_string(m_mpv, "osc", "no");
    mpv_set_option_string(m_mpv, "load-scripts", "no");
    mpv_set_option_string(m_mpv, "audio-fallback-to-null", "yes");
    mpv_set_option_string(m_mpv, "ytdl", "no");
    mpv_set_option_string(m_mpv, "load-stats-overlay", "no");
    mpv_set_option_string(m_mpv, "load-osd-console", "no");
    mpv_set_option_string(m_mpv, "terminal", "no");
    mpv_set_option_string(m_mpv, "keep-open", "always");
    mpv_set_option_string(m_mpv, "idle", "yes");
    mpv_set_option_string(m_mpv, "pause", "yes");
    mpv_set_option_string(m_mpv, "hr-seek", "yes");
    mpv_set_option_string(m_mpv, "vo", preview ? "libmpv" : "null");
    if (!preview) {
        mpv_set_option_string(m_mpv, "ao", "null");
    }
    if (mpv_initialize(m_mpv) < 0) {
        mpv_terminate_destroy(m_mpv);
        m_mpv = nullptr;
        return;
    }
    mpv_observe_property(m_mpv, DurationId, "duration", MPV_FORMAT_DOUBLE);
    mpv_observe_property(m_mpv, PositionId, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_observe_property(m_mpv, PauseId, "pause", MPV_FORMAT_FLAG);
    // Called on one of mpv's threads: it only posts a call to ours.
    mpv_set_wakeup_callback(
        m_mpv,
        [](void* self) {
            QMetaObject::invokeMethod(static_cast<Player*>(self), &Player::DrainEvents,
                                      Qt::QueuedConnection);
        },
        this);
}

Player::~Player()
{
    if (m_mpv) {
        mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
        mpv_terminate_destroy(m_mpv);
    }
}

void Player::Command(std::initializer_list<const char*> args)
{
    if (!m_mpv) {
        return;
    }
    std::vector<const char*> list(args);
    list.push_back(nullptr);
    mpv_command_async(m_mpv, 0, list.data());
}

void Player::Load(const QString& path, bool play)
{
    if (!m_mpv) {
        emit loaded(false);
        return;
    }
    m_loaded = false;
    m_loading = true;
    if (m_duration100ns != 0) {
        m_duration100ns = 0;
        emit durationChanged(0);
    }
    m_position = 0.0;
    int pause = play ? 0 : 1;
    mpv_set_property(m_mpv, "pause", MPV_FORMAT_FLAG, &pause);
    const QByteArray file = path.toUtf8();
    Command({"loadfile", file.constData(), "replace"});
}

void Player::Play()
{
    if (!m_mpv || !m_loaded) {
        return;
    }
    int pause = 0;
    mpv_set_property(m_mpv, "pause", MPV_FORMAT_FLAG, &pause);
}

void Player::Pause()
{
    if (!m_mpv || !m_loaded) {
        return;
    }
    int pause = 1;
    mpv_set_property(m_mpv, "pause", MPV_FORMAT_FLAG, &pause);
}

void Player::Stop()
{
    if (!m_mpv || !m_loaded) {
        return;
    }
    Pause();
    Seek(0.0);
}

void Player::Seek(double seconds)
{
    if (!m_mpv || !m_loaded) {
        return;
    }
    const QByteArray to = QByteArray::number(seconds, 'f', 3);
    Command({"seek", to.constData(), "absolute+exact"});
}

void Player::SetDuration(double seconds)
{
    const qint64 units =
        std::isfinite(seconds) && seconds > 0 ? qint64(std::llround(seconds * 1e7)) : 0;
    if (units != m_duration100ns) {
        m_duration100ns = units;
        emit durationChanged(DurationMs());
    }
}

void Player::DrainEvents()
{
    while (m_mpv) {
        mpv_event* event = mpv_wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE) {
            break;
        }
        switch (event->event_id) {
        case MPV_EVENT_FILE_LOADED: {
            m_loaded = true;
            // Known from here on: read it now, so that it is there when loaded() arrives.
            double seconds = 0.0;
            if (mpv_get_property(m_mpv, "duration", MPV_FORMAT_DOUBLE, &seconds) >= 0) {
                SetDuration(seconds);
            }
            if (m_loading) {
                m_loading = false;
                emit loaded(true);
            }
            break;
        }
        case MPV_EVENT_END_FILE: {
            const auto* end = static_cast<mpv_event_end_file*>(event->data);
            if (m_loading && end->reason == MPV_END_FILE_REASON_ERROR) {
                m_loading = false;
                emit loaded(false);
            }
            break;
        }
        case MPV_EVENT_PROPERTY_CHANGE: {
            const auto* prop = static_cast<mpv_event_property*>(event->data);
            // A property without data is unknown, not zero.
            const bool known = prop->format != MPV_FORMAT_NONE && prop->data;
            if (event->reply_userdata == DurationId) {
                SetDuration(known ? *static_cast<double*>(prop->data) : 0.0);
            } else if (event->reply_userdata == PositionId) {
                m_position = known ? *static_cast<double*>(prop->data) : 0.0;
                emit positionChanged(m_position);
            } else if (event->reply_userdata == PauseId && known) {
                m_paused = *static_cast<int*>(prop->data) != 0;
                emit pausedChanged(m_paused);
            }
            break;
        }
        default:
            break;
        }
    }
}
