#pragma once

#include <QAbstractSpinBox>
#include <cstdint>

namespace pixmosa {

// A whole-number field with up and down arrows that, unlike QSpinBox, keeps whatever the user
// types: a text that is not a whole number reads as the minimum, and nothing is clamped until
// the owner clamps it when the field is left.
class SpinEdit final : public QAbstractSpinBox {
    Q_OBJECT

public:
    SpinEdit(std::int32_t minimum, std::int32_t maximum, QWidget* parent = nullptr);

    QString textValue() const;
    void setTextValue(const QString& text);
    void setValue(std::int32_t value);

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
