// Internal to the window layer: conversions between our UTF-8 strings and Qt's strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

inline QString QStr(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
inline std::string StdStr(const QString& s) { return s.toStdString(); }
