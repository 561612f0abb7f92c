#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace pixmosa {

// Decodes previews on a thread of its own, so the window never waits for a photo while the
// user arrows through the list. Only the newest request counts: one that a newer request
// overtakes is skipped or its picture dropped.
class PreviewLoader final : public QObject {
    Q_OBJECT

public:
    explicit PreviewLoader(QObject* parent = nullptr);
    ~PreviewLoader() override;

    // The photo at `path` for a box of `box` pixels; `storedBox` is the same box with its sides
    // as the photo stores them (exchanged for a turned photo).
    void request(const std::string& path, QSize box, QSize storedBox);
    // No picture asked for so far is wanted any more.
    void cancel();

signals:
    // The picture, upright and of the box's size; a null image when it could not be decoded.
    void loaded(const QImage& picture);

private:
    struct Request {
        std::string path;
        QSize box;
        QSize storedBox;
        std::uint64_t number = 0;
    };

    void work();
    void deliver(std::uint64_t number, const QImage& picture);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<Request> m_pending;
    std::uint64_t m_newest = 0;
    bool m_stopping = false;
    // Set when the decode under way is no longer wanted (the window closes, or a newer
    // request came), so it ends at its next row.
    std::atomic<bool> m_cutShort{false};
    std::thread m_thread;
};

}  // namespace pixmosa
