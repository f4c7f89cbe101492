#pragma once

// The windows hold QStrings; calc and catalogue take and give UTF-8.

#include <QString>
#include <string>
#include <string_view>

namespace ui {

inline std::string Utf8(const QString& text) {
    return text.toStdString();
}

inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace ui
