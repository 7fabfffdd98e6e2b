#include "VideoView.h"

#include "Player.h"

#include <QMetaObject>
#include <QPainter>
#include <mpv/client.h>
#include <mpv/render.h>

VideoView::VideoView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

VideoView::~VideoView()
{
    Detach();
}

void VideoView::Attach(Player* player)
{
    Detach();
    if (!player || !player->Handle()) {
        return;
    }
    char api[] = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, api},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_render_context_create(&m_context, player->Handle(), params) < 0) {
        m_context = nullptr;
        return;
    }
    // Called on one of mpv's threads: it only posts a call to ours.
    mpv_render_context_set_update_callback(
        m_context,
        [](void* self) {
            QMetaObject::invokeMethod(static_cast<VideoView*>(self), &VideoView::Render,
                                      Qt::QueuedConnection);
        },
        this);
}

void VideoView::Detach()
{
    if (m_context) {
        mpv_render_context_set_update_callback(m_context, nullptr, nullptr);
        mpv_render_context_free(m_context);
        m_context = nullptr;
    }
}

void VideoView::Render()
{
    if (!m_context || !(mpv_render_context_update(m_context) & MPV_RENDER_UPDATE_FRAME)) {
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QSize size = this->size() * ratio;
    if (m_frame.size() != size) {
        m_frame = QImage(size, QImage::Format_RGBX8888);
        m_frame.setDevicePixelRatio(ratio);
    }
    int dims[2] = {size.width(), size.height()};
    char format[] = "rgb0";
    size_t stride = size_t(m_frame.bytesPerLine());
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, dims},
                                 {MPV_RENDER_PARAM_SW_FORMAT, format},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, m_frame.bits()},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_render_context_render(m_context, params) >= 0) {
        update();
    }
}

void VideoView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_frame.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.drawImage(rect(), m_frame);
}
