#include "window/named_combo_box.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>

namespace pixmosa {

namespace {

class NamedComboBoxAccessible final : public QAccessibleWidget {
public:
    explicit NamedComboBoxAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox)
    {
        addControllingSignal(QLatin1String("activated(int)"));
    }

    QString text(QAccessible::Text kind) const override
    {
        switch (kind) {
        case QAccessible::Name:
            return box()->accessibleName();
        case QAccessible::Value:
            return box()->currentText();
        default:
            return QAccessibleWidget::text(kind);
        }
    }

    // The list that drops down, with its entries, as Qt's own combo box offers it.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr && child->object() == box()->view() ? 0 : -1;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction()) {
            box()->showPopup();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* namedComboBoxAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(NamedComboBox::staticMetaObject.className())) {
        return new NamedComboBoxAccessible(static_cast<NamedComboBox*>(object));
    }
    return nullptr;
}

}  // namespace

NamedComboBox::NamedComboBox(QWidget* parent) : QComboBox(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(namedComboBoxAccessible);
        return true;
    }();
    (void)installed;
}

}  // namespace pixmosa
