// Windows-1252 <-> QString through the document's UTF-8 conversion.
#include "session/TextConv.h"

#include "document/Text.h"

namespace zx {

QString ToQString(std::string_view cp1252) {
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

std::string FromQString(const QString& s) { return Utf8ToCp1252(s.toStdString()); }

} // namespace zx
