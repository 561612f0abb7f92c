#include "window/preview_loader.h"

#include <QMetaObject>
#include <cstring>

#include "thumbs/preview_decode.h"

namespace pixmosa {

namespace {

QImage pictureOf(const Raster& raster, QSize box)
{
    QImage image(static_cast<int>(raster.width), static_cast<int>(raster.height),
                 QImage::Format_RGB888);
    const std::size_t rowBytes = static_cast<std::size_t>(raster.width) * 3;
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(image.scanLine(y),
                    raster.pixels.data() + rowBytes * static_cast<std::size_t>(y), rowBytes);
    }
    return image.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

PreviewLoader::PreviewLoader(QObject* parent) : QObject(parent), m_thread([this] { work(); }) {}

PreviewLoader::~PreviewLoader()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_cutShort = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void PreviewLoader::request(const std::string& path, QSize box, QSize storedBox)
{
    {
        const std::lock_guard lock(m_mutex);
        m_pending = Request{path, box, storedBox, ++m_newest};
        m_cutShort = true;
    }
    m_wake.notify_one();
}

void PreviewLoader::cancel()
{
    const std::lock_guard lock(m_mutex);
    m_pending.reset();
    ++m_newest;
    m_cutShort = true;
}

void PreviewLoader::work()
{
    for (;;) {
        Request request;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || m_pending.has_value(); });
            if (m_stopping) {
                return;
            }
            request = std::move(*m_pending);
            m_pending.reset();
            m_cutShort = false;
        }
        const Result<Raster> raster =
            decodePreview(request.path, static_cast<std::uint32_t>(request.storedBox.width()),
                          static_cast<std::uint32_t>(request.storedBox.height()), &m_cutShort);
        const QImage picture = raster && raster->width > 0 && raster->height > 0
                                   ? pictureOf(*raster, request.box)
                                   : QImage();
        QMetaObject::invokeMethod(
            this, [this, number = request.number, picture] { deliver(number, picture); },
            Qt::QueuedConnection);
    }
}

void PreviewLoader::deliver(std::uint64_t number, const QImage& picture)
{
    {
        const std::lock_guard lock(m_mutex);
        if (number != m_newest) {
            return;
        }
    }
    emit loaded(picture);
}

}  // namespace pixmosa
