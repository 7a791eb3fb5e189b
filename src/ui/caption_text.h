// Texts of the string table as Qt shows them.
#pragma once

#include <QString>

#include <string>

namespace vartesk::ui {

// The string table breaks its lines with "\r\n"; a label wants "\n".
inline QString CaptionText(const std::string &text)
{
    QString result = QString::fromStdString(text);
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return result;
}

} // namespace vartesk::ui
