#include "TrackBar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {
constexpr int Margin = 4; // room for half the thumb at either end
} // namespace

TrackBar::TrackBar(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (!m_dragging && isEnabled()) {
            emit timerTick();
        }
    });
}

void TrackBar::StartTimer()
{
    if (isEnabled()) {
        m_timer.start();
    }
}

void TrackBar::StopTimer()
{
    m_timer.stop();
}

void TrackBar::SetRange(qint64 min, qint64 max)
{
    m_min = min;
    m_max = std::max(min, max);
    m_position = std::clamp(m_position, m_min, m_max);
    update();
}

void TrackBar::SetPosition(qint64 position)
{
    position = std::clamp(position, m_min, m_max);
    if (position != m_position) {
        m_position = position;
        update();
    }
}

void TrackBar::SetSelStart(qint64 seconds)
{
    m_selStart = seconds;
    update();
}

void TrackBar::SetSelEnd(qint64 seconds)
{
    m_selEnd = seconds;
    update();
}

void TrackBar::SetFrequency(int seconds)
{
    m_frequency = seconds;
    update();
}

int TrackBar::XOf(qint64 position) const
{
    const int span = width() - 2 * Margin;
    if (m_max <= m_min || span <= 0) {
        return Margin;
    }
    return Margin + int(double(position - m_min) / double(m_max - m_min) * span + 0.5);
}

qint64 TrackBar::PositionAt(int x) const
{
    const int span = width() - 2 * Margin;
    if (m_max <= m_min || span <= 0) {
        return m_min;
    }
    const double share = std::clamp(double(x - Margin) / span, 0.0, 1.0);
    return m_min + qint64(share * double(m_max - m_min) + 0.5);
}

void TrackBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int mid = height() / 2;
    const QRectF groove(Margin, mid - 2, width() - 2 * Margin, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(12, 15, 20));
    p.drawRoundedRect(groove, 2, 2);

    if (m_max > m_min && m_frequency > 0) {
        p.setPen(QColor(110, 125, 145));
        for (qint64 t = m_min; t <= m_max; t += m_frequency) {
            const int x = XOf(t);
            p.drawLine(x, height() - 3, x, height() - 1);
        }
    }
    if ((m_selStart != 0 || m_selEnd != 0) && m_max > m_min) {
        const int a = XOf(std::clamp(m_selStart, m_min, m_max));
        const int b = XOf(std::clamp(m_selEnd, m_min, m_max));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(95, 168, 255));
        p.drawRect(QRectF(std::min(a, b), mid - 2, std::abs(b - a), 4));
    }
    const int x = XOf(m_position);
    const QRectF thumb(x - m_thumbLength / 2.0, 1, m_thumbLength, height() - 2);
    p.setPen(QPen(hasFocus() ? QColor(95, 168, 255) : QColor(60, 70, 85), 1));
    p.setBrush(isEnabled() ? QColor(233, 241, 251) : QColor(130, 138, 150));
    p.drawRoundedRect(thumb, 2, 2);
}

void TrackBar::UserMove(qint64 position)
{
    position = std::clamp(position, m_min, m_max);
    if (position != m_position) {
        m_position = position;
        update();
        emit positionChanged(m_position);
    }
}

void TrackBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        UserMove(PositionAt(qRound(event->position().x())));
    }
}

void TrackBar::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging) {
        UserMove(PositionAt(qRound(event->position().x())));
    }
}

void TrackBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_dragging) {
        m_dragging = false;
        emit released(m_position);
    }
}

void TrackBar::keyPressEvent(QKeyEvent* event)
{
    qint64 to = m_position;
    switch (event->key()) {
    case Qt::Key_Left:
        to -= 1;
        break;
    case Qt::Key_Right:
        to += 1;
        break;
    case Qt::Key_PageUp:
        to -= 10;
        break;
    case Qt::Key_PageDown:
        to += 10;
        break;
    case Qt::Key_Home:
        to = m_min;
        break;
    case Qt::Key_End:
        to = m_max;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    UserMove(to);
    emit released(m_position);
}
