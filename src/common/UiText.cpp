#include "common/UiText.h"

#include "common/Windows1252.h"

#include <QFile>

QString FromWindows1252(std::string_view text)
{
    QString result;
    result.reserve(qsizetype(text.size()));
    for (char byte : text) {
        const char32_t character = Windows1252ToUnicode(static_cast<unsigned char>(byte));
        result.append(QChar(char16_t(character)));
    }
    return result;
}

std::string ToWindows1252(const QString& text)
{
    std::string result;
    result.reserve(std::size_t(text.size()));
    for (char32_t character : text.toUcs4()) {
        const auto byte = UnicodeToWindows1252(character);
        result.push_back(byte ? static_cast<char>(*byte) : '?');
    }
    return result;
}

QString FromFileName(std::string_view fileName)
{
    return QFile::decodeName(QByteArray(fileName.data(), qsizetype(fileName.size())));
}

std::string ToFileName(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}
