#include "common/UiText.h"

#include <QTextDocument>

#include "common/Windows1252.h"

#include <QFile>

QString FromWindows1252(TAnsiView text)
{
    QString result;
    result.reserve(qsizetype(text.size()));
    for (char byte : text) {
        const char32_t character = Windows1252ToUnicode(static_cast<unsigned char>(byte));
        result.append(QChar(char16_t(character)));
    }
    return result;
}

TAnsiString ToWindows1252(const QString& text)
{
    TAnsiString result;
    result.reserve(std::size_t(text.size()));
    for (char32_t character : text.toUcs4()) {
        const auto byte = UnicodeToWindows1252(character);
        result.push_back(byte ? static_cast<char>(*byte) : '?');
    }
    return result;
}

QString FromFileName(const std::filesystem::path& fileName)
{
    const std::string& bytes = fileName.native();
    return QFile::decodeName(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

std::filesystem::path ToFileName(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

QString AsPlainText(const QString& text)
{
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}
