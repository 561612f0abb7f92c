#include "window/spin_edit.h"

#include <QLineEdit>
#include <algorithm>
#include <cstdint>

#include "settings/number_field.h"

namespace pixmosa {

SpinEdit::SpinEdit(std::int32_t minimum, std::int32_t maximum, QWidget* parent)
    : QAbstractSpinBox(parent), m_minimum(minimum), m_maximum(maximum)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::textEdited);
}

QString SpinEdit::textValue() const
{
    return lineEdit()->text();
}

void SpinEdit::setTextValue(const QString& text)
{
    lineEdit()->setText(text);
}

std::int32_t SpinEdit::value() const
{
    const std::int64_t typed = parseWholeNumber(textValue().toStdString()).value_or(m_minimum);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(typed, INT32_MIN, INT32_MAX));
}

void SpinEdit::setValue(std::int32_t value)
{
    lineEdit()->setText(QString::number(value));
}

void SpinEdit::stepBy(int steps)
{
    setValue(static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{value()} + steps, m_minimum, m_maximum)));
}

QValidator::State SpinEdit::validate(QString&, int&) const
{
    return QValidator::Acceptable;
}

void SpinEdit::fixup(QString&) const {}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

}  // namespace pixmosa
