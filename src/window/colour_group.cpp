#include "window/colour_group.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace pixmosa {

namespace {

constexpr std::size_t kForeground = 0;
constexpr std::size_t kBackground = 1;
constexpr int kSampleWidth = 85;
constexpr int kSampleHeight = 13;

QString cssColour(const QColor& colour)
{
    return colour.name(QColor::HexRgb);
}

// The largest font, from a little below the group's, in which the caption stands whole.
QFont sampleFont(QFont font, const QString& caption)
{
    qreal size = font.pointSizeF() * 0.85;
    for (; size > 4; size -= 0.25) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(caption) + 4 <= kSampleWidth &&
            metrics.height() <= kSampleHeight) {
            break;
        }
    }
    return font;
}

}  // namespace

ColourGroup::ColourGroup(const ColourGroupParts& parts, QWidget* parent) : QWidget(parent)
{
    setObjectName(parts.group);
    const char* labels[] = {"Foreground", "Background", "Link", "Visited Link", "Active Link"};
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    for (std::size_t i = 0; i < 5; ++i) {
        const QString description =
            QString("%1 %2 colour").arg(parts.page, QString(labels[i]).toLower());
        auto* button = new ColourButton(parts.colours[i], description, this);
        m_buttons[i] = button;
        const int row = i < 2 ? static_cast<int>(i) : static_cast<int>(i) - 2;
        const int column = i < 2 ? 0 : 2;
        auto* caption = new QLabel(labels[i], this);
        caption->setBuddy(button);
        grid->addWidget(caption, row, column, Qt::AlignRight);
        grid->addWidget(button, row, column + 1);
    }
    grid->setColumnMinimumWidth(2, 0);

    m_swatch = new QFrame(this);
    m_swatch->setObjectName(parts.swatch);
    m_swatch->setFixedSize(97, 57);
    m_swatch->setFrameShape(QFrame::Box);
    const char* captions[] = {"Text color", "Link color", "Visited link color",
                              "Active link color"};
    // One size for the four, the one in which the longest caption stands whole.
    const QFont captionFont = sampleFont(font(), captions[2]);
    for (std::size_t i = 0; i < 4; ++i) {
        auto* sample = new QLineEdit(captions[i], m_swatch);
        sample->setObjectName(parts.samples[i]);
        sample->setAccessibleName(
            QString("%1 %2 sample")
                .arg(parts.page, QString(captions[i]).replace("color", "colour").toLower()));
        sample->setFrame(false);
        sample->setGeometry(6, 2 + kSampleHeight * static_cast<int>(i), kSampleWidth,
                            kSampleHeight);
        sample->setTextMargins(0, 0, 0, 0);
        sample->setFont(captionFont);
        sample->setCursorPosition(0);
        // Nothing reads what is typed into a sample, so Tab passes over it.
        sample->setFocusPolicy(Qt::ClickFocus);
        m_samples[i] = sample;
    }

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(grid);
    row->addSpacing(6);
    row->addWidget(m_swatch, 0, Qt::AlignTop);
    // Hidden, the group keeps its place, so the controls around it do not move.
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
}

// Style sheets, not palettes: a style sheet anywhere above the samples would make the style
// ignore their palettes.
void ColourGroup::applySamples()
{
    const QString ground = cssColour(ColourButton::toQColor(m_buttons[kBackground]->colour()));
    m_swatch->setStyleSheet(QString("QFrame#%1 { background-color: %2; border: 1px solid black; }")
                                .arg(m_swatch->objectName(), ground));
    // Samples show the foreground, link, visited link and active link colours in this order.
    const std::size_t textButtons[] = {kForeground, 2, 3, 4};
    for (std::size_t i = 0; i < 4; ++i) {
        const QString text = cssColour(ColourButton::toQColor(m_buttons[textButtons[i]]->colour()));
        m_samples[i]->setStyleSheet(
            QString("QLineEdit { background-color: %1; color: %2; border: none; padding: 0; }")
                .arg(ground, text));
    }
}

}  // namespace pixmosa
