#include "window/colour_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "window/screen_fit.h"

namespace pixmosa {

std::optional<QColor> chooseColourWithinScreen(QWidget* parent, const QColor& current)
{
    QDialog dialog(parent);
    dialog.setObjectName("ColourDialog");
    auto* picker = new QColorDialog(current);
    picker->setWindowFlags(Qt::Widget);
    picker->setOptions(QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(picker->windowTitle());
    // The picker is a dialog of its own: Escape or Return there ends this one.
    QObject::connect(picker, &QDialog::rejected, &dialog, &QDialog::reject);
    QObject::connect(picker, &QDialog::accepted, &dialog, &QDialog::accept);

    auto* area = new QScrollArea(&dialog);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(picker);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* column = new QVBoxLayout(&dialog);
    column->addWidget(area, 1);
    column->addWidget(buttons);

    // As large as the picker wants where the screen has room, with space for a scroll bar
    // where it has not; fitted to the screen when shown.
    const QMargins margins = column->contentsMargins();
    const int bar = area->verticalScrollBar()->sizeHint().width();
    dialog.resize(picker->sizeHint().width() + margins.left() + margins.right() + bar,
                  picker->sizeHint().height() + column->spacing() + buttons->sizeHint().height() +
                      margins.top() + margins.bottom());
    fitWithinScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return picker->currentColor();
}

}  // namespace pixmosa
