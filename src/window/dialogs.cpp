#include "window/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QUrl>

namespace pixmosa {

std::optional<QString> QtDialogs::chooseFolder(QWidget* parent, const QString& preset)
{
    const QString folder = QFileDialog::getExistingDirectory(parent, QString(), preset);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    return folder;
}

std::optional<QColor> QtDialogs::chooseColour(QWidget* parent, const QColor& current)
{
    const QColor colour = QColorDialog::getColor(current, parent);
    if (!colour.isValid()) {
        return std::nullopt;
    }
    return colour;
}

std::optional<QString> QtDialogs::askText(QWidget* parent, const QString& caption,
                                          const QString& prompt, const QString& text, int maxLength)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(text);
    dialog.setInputMode(QInputDialog::TextInput);
    if (auto* field = dialog.findChild<QLineEdit*>()) {
        field->setMaxLength(maxLength);
        field->selectAll();
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

void QtDialogs::showError(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, QApplication::applicationName(), text);
}

void QtDialogs::showMessage(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QApplication::applicationName(), text);
}

void QtDialogs::beep()
{
    QApplication::beep();
}

void QtDialogs::openWithDesktop(const QString& pathOrUrl)
{
    const QUrl url = pathOrUrl.contains("://") ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
    QDesktopServices::openUrl(url);
}

}  // namespace pixmosa
