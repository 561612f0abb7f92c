#pragma once

#include <QFrame>
#include <QLineEdit>
#include <QString>
#include <array>
#include <cstdint>

#include "settings/gallery_settings.h"
#include "window/colour_button.h"

namespace pixmosa {

// One group's fields and the names of its swatch and samples: the five colours (foreground,
// background, link, visited link, active link) and the four samples (text, link, visited
// link, active link).
struct ColourGroupParts {
    const char* group;
    const char* page;  // "Gallery" or "Image", for the buttons' descriptions
    std::array<Field, 5> colours;
    const char* swatch;
    std::array<const char*, 4> samples;
};

// Five colour buttons in two columns with their labels, and a swatch at the right with four
// samples laid over it that show the text and link colours on the background.
class ColourGroup final : public QWidget {
    Q_OBJECT

public:
    ColourGroup(const ColourGroupParts& parts, QWidget* parent = nullptr);

    ColourButton* foreground() const { return m_buttons[0]; }
    ColourButton* background() const { return m_buttons[1]; }
    ColourButton* link() const { return m_buttons[2]; }
    ColourButton* visitedLink() const { return m_buttons[3]; }
    ColourButton* activeLink() const { return m_buttons[4]; }
    const std::array<ColourButton*, 5>& buttons() const { return m_buttons; }
    QFrame* swatch() const { return m_swatch; }
    const std::array<QLineEdit*, 4>& samples() const { return m_samples; }

    // Shows the buttons' colours in the swatch and the samples.
    void applySamples();

private:
    std::array<ColourButton*, 5> m_buttons{};
    QFrame* m_swatch = nullptr;
    std::array<QLineEdit*, 4> m_samples{};
};

}  // namespace pixmosa
