#pragma once

#include <QImage>
#include <QWidget>

class Player;
struct mpv_render_context;

// The preview picture: libmpv renders each frame in software into an image that this plain
// widget paints, so it needs no OpenGL and shows the real frame under any platform plugin.
class VideoView : public QWidget
{
    Q_OBJECT
public:
    explicit VideoView(QWidget* parent = nullptr);
    ~VideoView() override;

    // Renders the player's video from now on; the player must be a Preview one.
    void Attach(Player* player);
    // Stops rendering and frees what the player lent: call before the player goes.
    void Detach();

    const QImage& Frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Render();

    mpv_render_context* m_context = nullptr;
    QImage m_frame;
};
