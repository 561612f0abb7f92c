#pragma once

#include <QToolButton>
#include <cstdint>

namespace pixmosa {

// A small square button whose face shows a colour held as 0x00BBGGRR.
class ColourButton final : public QToolButton {
    Q_OBJECT

public:
    explicit ColourButton(QWidget* parent = nullptr);

    std::int32_t colour() const { return m_colour; }
    void setColour(std::int32_t colour);

    // A system colour (high bit set) stands for the desktop's colour of that part.
    static QColor toQColor(std::int32_t colour);
    static std::int32_t fromQColor(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::int32_t m_colour = 0;
};

}  // namespace pixmosa
