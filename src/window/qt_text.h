#pragma once

#include <QString>
#include <string>
#include <string_view>

class QPlainTextEdit;

namespace pixmosa {

// Texts cross between the core and the window as UTF-8.
QString toQt(std::string_view text);
std::string fromQt(const QString& text);

// A memo shows lines split by LF; the record keeps them joined by CR LF.
QString memoText(const std::string& text);
std::string recordText(const QPlainTextEdit* memo);

}  // namespace pixmosa
