#pragma once

#include <QStringList>
#include <deque>
#include <functional>

#include "window/dialogs.h"

namespace pixmosa::test {

// Answers the window's dialogs from prepared answers and records everything the window shows,
// so no test ever waits for a person. An empty queue answers as a cancel.
class ScriptedDialogs final : public Dialogs {
public:
    std::optional<QString> chooseFolder(QWidget*, const QString& preset) override
    {
        presets << preset;
        return take(folders);
    }
    std::optional<QColor> chooseColour(QWidget*, const QColor& current) override
    {
        offeredColours.push_back(current);
        return take(colours);
    }
    std::optional<QString> askText(QWidget*, const QString& caption, const QString& prompt,
                                   const QString& text, int maxLength, DialogPlace place) override
    {
        asked << caption + " | " + prompt + " | " + text + " | " + QString::number(maxLength);
        places.push_back(place);
        return take(texts);
    }
    void showError(QWidget*, const QString& text) override { errors << text; }
    void showMessage(QWidget*, const QString& text) override
    {
        messages << text;
        if (whileShowingMessage) {
            whileShowingMessage();
        }
    }
    void beep() override { ++beeps; }
    void openWithDesktop(const QString& pathOrUrl,
                         const std::function<void(const QString&)>& failed) override
    {
        opened << pathOrUrl;
        if (openFailure) {
            failed(*openFailure);
        }
    }

    std::deque<std::optional<QString>> folders;
    std::deque<std::optional<QColor>> colours;
    std::deque<std::optional<QString>> texts;
    // Why the desktop cannot open what it is given; nothing when it can.
    std::optional<QString> openFailure;

    QStringList presets;
    std::vector<QColor> offeredColours;
    QStringList asked;
    std::vector<DialogPlace> places;
    QStringList errors;
    QStringList messages;
    QStringList opened;
    int beeps = 0;
    // Runs while a message shows, as a user would look at the window behind it.
    std::function<void()> whileShowingMessage;

private:
    template <typename T>
    static std::optional<T> take(std::deque<std::optional<T>>& answers)
    {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace pixmosa::test
