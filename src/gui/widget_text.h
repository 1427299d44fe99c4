#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace kw {

// The logic keeps its texts as UTF-8 std::string; the widgets show QStrings.
inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
inline std::string str(const QString& s) { return s.toStdString(); }

// A text with the message boxes' CR LF line breaks as a widget shows them.
inline QString qsLines(std::string_view s)
{
    QString shown = qs(s);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

// A widget named after its control, so tests and the window's own code find it.
template <class W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace kw
