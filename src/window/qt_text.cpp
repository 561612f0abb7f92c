#include "window/qt_text.h"

#include <QPlainTextEdit>

namespace pixmosa {

QString toQt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string fromQt(const QString& text)
{
    return text.toStdString();
}

QString memoText(const std::string& text)
{
    return toQt(text).replace("\r\n", "\n");
}

std::string recordText(const QPlainTextEdit* memo)
{
    return fromQt(memo->toPlainText().replace("\n", "\r\n"));
}

}  // namespace pixmosa
