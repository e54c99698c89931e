#pragma once
// The model keeps texts as Windows-1252 bytes and Qt shows Unicode: every
// text crosses between the two here.

#include <QString>
#include <string>

#include "runtime/Text.h"

namespace brindlemar {

inline QString ToQString(const std::string& cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }
inline std::string FromQString(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

}  // namespace brindlemar
