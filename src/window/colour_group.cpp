#include "window/colour_group.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace pixmosa {

namespace {

constexpr int kForeground = 0;
constexpr int kBackground = 1;

void paintBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Base, colour);
    widget->setPalette(palette);
}

}  // namespace

ColourGroup::ColourGroup(const ColourGroupNames& names, QWidget* parent) : QWidget(parent)
{
    setObjectName(names.group);
    const char* labels[] = {"Foreground", "Background", "Link", "Visited Link", "Active Link"};
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < 5; ++i) {
        auto* button = new ColourButton(this);
        button->setObjectName(names.buttons[static_cast<std::size_t>(i)]);
        m_buttons[static_cast<std::size_t>(i)] = button;
        const int row = i < 2 ? i : i - 2;
        const int column = i < 2 ? 0 : 2;
        grid->addWidget(new QLabel(labels[i], this), row, column, Qt::AlignRight);
        grid->addWidget(button, row, column + 1);
    }

    m_swatch = new QFrame(this);
    m_swatch->setObjectName(names.swatch);
    m_swatch->setFixedSize(97, 57);
    m_swatch->setFrameShape(QFrame::Box);
    m_swatch->setAutoFillBackground(true);
    const char* captions[] = {"Text color", "Link color", "Visited link color",
                              "Active link color"};
    for (int i = 0; i < 4; ++i) {
        auto* sample = new QLineEdit(captions[i], m_swatch);
        sample->setObjectName(names.samples[static_cast<std::size_t>(i)]);
        sample->setFrame(false);
        sample->setGeometry(6, 2 + 13 * i, 85, 13);
        sample->setTextMargins(0, 0, 0, 0);
        QFont small = sample->font();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        sample->setFont(small);
        m_samples[static_cast<std::size_t>(i)] = sample;
    }

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(grid);
    row->addSpacing(6);
    row->addWidget(m_swatch, 0, Qt::AlignTop);
}

void ColourGroup::applySamples()
{
    const QColor ground = ColourButton::toQColor(m_buttons[kBackground]->colour());
    paintBackground(m_swatch, ground);
    // Samples show the foreground, link, visited link and active link colours in this order.
    const int textButtons[] = {kForeground, 2, 3, 4};
    for (int i = 0; i < 4; ++i) {
        QLineEdit* sample = m_samples[static_cast<std::size_t>(i)];
        paintBackground(sample, ground);
        QPalette palette = sample->palette();
        palette.setColor(
            QPalette::Text,
            ColourButton::toQColor(m_buttons[static_cast<std::size_t>(textButtons[i])]->colour()));
        sample->setPalette(palette);
    }
}

}  // namespace pixmosa
