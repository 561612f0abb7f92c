#pragma once

#include <QFrame>
#include <QLineEdit>
#include <QString>
#include <array>
#include <cstdint>

#include "window/colour_button.h"

namespace pixmosa {

// Names of one group's controls: the five buttons (foreground, background, link, visited link,
// active link), the swatch and the four samples (text, link, visited link, active link).
struct ColourGroupNames {
    const char* group;
    std::array<const char*, 5> buttons;
    const char* swatch;
    std::array<const char*, 4> samples;
};

// Five colour buttons in two columns with their labels, and a swatch at the right with four
// samples laid over it that show the text and link colours on the background.
class ColourGroup final : public QWidget {
    Q_OBJECT

public:
    ColourGroup(const ColourGroupNames& names, QWidget* parent = nullptr);

    ColourButton* button(int index) const { return m_buttons[static_cast<std::size_t>(index)]; }

    // Shows the buttons' colours in the swatch and the samples.
    void applySamples();

private:
    std::array<ColourButton*, 5> m_buttons{};
    QFrame* m_swatch = nullptr;
    std::array<QLineEdit*, 4> m_samples{};
};

}  // namespace pixmosa
