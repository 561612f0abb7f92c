#pragma once

#include <QToolButton>
#include <cstdint>

#include "settings/gallery_settings.h"

namespace pixmosa {

// A small square button whose face shows a colour held as 0x00BBGGRR, the colour of one field
// of the settings. Its accessible name and tip say which colour it is and the colour it holds
// ("Gallery background colour, #003366").
class ColourButton final : public QToolButton {
    Q_OBJECT

public:
    ColourButton(Field field, const QString& description, QWidget* parent = nullptr);

    Field field() const { return m_field; }

    std::int32_t colour() const { return m_colour; }
    void setColour(std::int32_t colour);

    // A system colour (high bit set) stands for the desktop's colour of that part.
    static QColor toQColor(std::int32_t colour);
    static std::int32_t fromQColor(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void describe();

    QString m_description;
    Field m_field;
    std::int32_t m_colour = 0;
};

}  // namespace pixmosa
