#pragma once

#include <QTimer>
#include <QWidget>

// The preview's position bar, in whole seconds: Min, Max and Position, the marked range
// SelStart..SelEnd drawn as a selection (nothing is drawn while both are 0), a tick every
// Frequency seconds. Dragging with the left button moves Position; releasing it asks for a
// seek to the second under the thumb.
class TrackBar : public QWidget
{
    Q_OBJECT
public:
    explicit TrackBar(QWidget* parent = nullptr);

    qint64 Min() const { return m_min; }
    qint64 Max() const { return m_max; }
    qint64 Position() const { return m_position; }
    qint64 SelStart() const { return m_selStart; }
    qint64 SelEnd() const { return m_selEnd; }
    int Frequency() const { return m_frequency; }
    int ThumbLength() const { return m_thumbLength; }
    bool IsDragging() const { return m_dragging; }

    void SetRange(qint64 min, qint64 max);
    void SetPosition(qint64 position); // held within Min..Max
    void SetSelStart(qint64 seconds);
    void SetSelEnd(qint64 seconds);
    void SetFrequency(int seconds);

    // The position under an x coordinate of the widget, within Min..Max.
    qint64 PositionAt(int x) const;
    // The x coordinate of the thumb's centre for a position.
    int XOf(qint64 position) const;

    QSize sizeHint() const override { return {296, 14}; }

    // The bar's own position timer (1000 ms), run while the player plays: timerTick() comes once
    // a second, but not while the left button holds the thumb, and only while enabled.
    void StartTimer();
    void StopTimer();
    bool TimerActive() const { return m_timer.isActive(); }

signals:
    void positionChanged(qint64 position); // by the user, while dragging or on a click
    void released(qint64 position);        // left button released: seek here
    void timerTick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UserMove(qint64 position);

    qint64 m_min = 0;
    qint64 m_max = 0;
    qint64 m_position = 0;
    qint64 m_selStart = 0;
    qint64 m_selEnd = 0;
    int m_frequency = 60;
    int m_thumbLength = 8;
    bool m_dragging = false;
    QTimer m_timer;
};
