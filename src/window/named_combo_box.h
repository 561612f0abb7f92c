#pragma once

#include <QComboBox>

namespace pixmosa {

// A drop-down list that screen readers hear by its own name, with the chosen entry as its value.
// (Qt's accessible combo box gives the chosen entry as the name on Linux, so a list named
// "Banner bank name" would be heard as "Holiday".)
class NamedComboBox final : public QComboBox {
    Q_OBJECT

public:
    explicit NamedComboBox(QWidget* parent = nullptr);
};

}  // namespace pixmosa
