#pragma once

#include <QAbstractSpinBox>
#include <cstdint>

namespace pixmosa {

// A whole-number field with up and down arrows that, unlike QSpinBox, keeps whatever the user
// types: a text that is not a whole number reads as the minimum, and nothing is clamped until
// the owner clamps it when the field is left.
//
// Screen readers learn the value and the limits through the properties that Qt's accessible
// spin box reads: the number shown (the minimum while the text is none), minimum and maximum.
class SpinEdit final : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue)
    Q_PROPERTY(int minimum READ minimum)
    Q_PROPERTY(int maximum READ maximum)

public:
    SpinEdit(std::int32_t minimum, std::int32_t maximum, QWidget* parent = nullptr);

    QString textValue() const;
    void setTextValue(const QString& text);
    std::int32_t value() const;
    void setValue(std::int32_t value);
    std::int32_t minimum() const { return m_minimum; }
    std::int32_t maximum() const { return m_maximum; }

    void stepBy(int steps) override;

signals:
    void textEdited();

protected:
    QValidator::State validate(QString& input, int& position) const override;
    void fixup(QString& input) const override;
    StepEnabled stepEnabled() const override;

private:
    std::int32_t m_minimum;
    std::int32_t m_maximum;
};

}  // namespace pixmosa
