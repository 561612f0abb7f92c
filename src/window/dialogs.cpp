#include "window/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <algorithm>
#include <memory>

#include "platform/shell_open.h"
#include "window/colour_dialog.h"
#include "window/qt_text.h"

namespace pixmosa {

namespace {

// What a title bar holds besides its title: the frame's buttons and margins.
constexpr int kTitleBarButtons = 140;
// A long name still shows whole in the field.
constexpr int kNameCharacters = 48;

}  // namespace

std::unique_ptr<QFileDialog> makeFolderDialog(QWidget* parent, const QString& preset)
{
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), preset);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    // Qt gives a folder dialog a title of its own unless it is told otherwise.
    dialog->setWindowTitle(QString());
    return dialog;
}

std::optional<QString> QtDialogs::chooseFolder(QWidget* parent, const QString& preset)
{
    const std::unique_ptr<QFileDialog> dialog = makeFolderDialog(parent, preset);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog->selectedFiles().constFirst();
}

std::optional<QColor> QtDialogs::chooseColour(QWidget* parent, const QColor& current)
{
    return chooseColourWithinScreen(parent, current);
}

std::optional<QString> QtDialogs::askText(QWidget* parent, const QString& caption,
                                          const QString& prompt, const QString& text, int maxLength,
                                          DialogPlace place)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(text);
    dialog.setInputMode(QInputDialog::TextInput);
    if (auto* field = dialog.findChild<QLineEdit*>()) {
        field->setMaxLength(maxLength);
        field->selectAll();
        // Wide enough for the whole title beside the frame's buttons, and for a long name; the
        // dialog's layout takes its width from the field.
        const QFontMetrics metrics(dialog.font());
        field->setMinimumWidth(std::max(metrics.horizontalAdvance(caption) + kTitleBarButtons,
                                        metrics.averageCharWidth() * kNameCharacters));
    }
    if (place == DialogPlace::Screen) {
        dialog.adjustSize();
        const QScreen* screen =
            parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
        QRect frame = dialog.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        dialog.move(frame.topLeft());
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

void QtDialogs::openWithDesktop(const QString& pathOrUrl,
                                const std::function<void(const QString&)>& failed)
{
#ifdef _WIN32
    if (const Status opened = pixmosa::openWithDesktop(fromQt(pathOrUrl)); !opened) {
        failed(toQt(opened.message()));
    }
#else
    // xdg-open, watched: it ends with an error, and says why, when no program takes the file.
    auto* opener = new QProcess(qApp);
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, failed](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             failed(QString("%1 could not be started: %2")
                                        .arg(opener->program(), opener->errorString()));
                             opener->deleteLater();
                         }
                     });
    QObject::connect(
        opener, &QProcess::finished, opener,
        [opener, failed](int code, QProcess::ExitStatus status) {
            const QStringList said = QString::fromLocal8Bit(opener->readAllStandardError())
                                         .split('\n', Qt::SkipEmptyParts);
            if (status != QProcess::NormalExit || code != 0) {
                failed(
                    !said.isEmpty()
                        ? said.back().trimmed()
                        : QString("%1 ended with exit code %2").arg(opener->program()).arg(code));
            }
            opener->deleteLater();
        });
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->start("xdg-open", {pathOrUrl});
#endif
}

}  // namespace pixmosa
