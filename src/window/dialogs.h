#pragma once

#include <QColor>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

namespace pixmosa {

// Where a dialog opens: centred on the window that asks, or on the screen.
enum class DialogPlace { Window, Screen };

// Everything the window asks of the user or the desktop outside itself, so that tests can
// answer instead of a person and nothing blocks.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A folder dialog without a title, for file-system folders only.
    virtual std::optional<QString> chooseFolder(QWidget* parent, const QString& preset) = 0;
    virtual std::optional<QColor> chooseColour(QWidget* parent, const QColor& current) = 0;
    virtual std::optional<QString> askText(QWidget* parent, const QString& caption,
                                           const QString& prompt, const QString& text,
                                           int maxLength, DialogPlace place) = 0;
    // An error box titled with the program's title.
    virtual void showError(QWidget* parent, const QString& text) = 0;
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    virtual void beep() = 0;
    // Hands a file or address to the program the desktop associates with it, without waiting;
    // `failed` hears why when no program could be started or it ended with an error, now or
    // later.
    virtual void openWithDesktop(const QString& pathOrUrl,
                                 const std::function<void(const QString&)>& failed) = 0;
};

// The folder dialog as chooseFolder shows it.
std::unique_ptr<QFileDialog> makeFolderDialog(QWidget* parent, const QString& preset);

// The real dialogs of the platform.
class QtDialogs final : public Dialogs {
public:
    std::optional<QString> chooseFolder(QWidget* parent, const QString& preset) override;
    std::optional<QColor> chooseColour(QWidget* parent, const QColor& current) override;
    std::optional<QString> askText(QWidget* parent, const QString& caption, const QString& prompt,
                                   const QString& text, int maxLength, DialogPlace place) override;
    void showError(QWidget* parent, const QString& text) override;
    void showMessage(QWidget* parent, const QString& text) override;
    void beep() override;
    void openWithDesktop(const QString& pathOrUrl,
                         const std::function<void(const QString&)>& failed) override;
};

}  // namespace pixmosa
