#include "i18n/ShownText.h"

#include "common/UiText.h"

#include <QLocale>

QString Text(const TTextKey& key)
{
    return FromWindows1252(OwnText(key));
}

QString CountNumber(std::uint64_t count)
{
    return QLocale().toString(qulonglong(count));
}

QString CountText(const TTextKey& one, const TTextKey& many, std::uint64_t count)
{
    const QString text = FromWindows1252(OwnCountText(one, many, count));
    // A text that names no count ("1 item") is taken as it is.
    return text.contains(QLatin1String("%1")) ? text.arg(CountNumber(count)) : text;
}

TNumberFormat ShownNumberFormat()
{
    const QLocale locale;
    // Windows-1252 has no narrow no-break space (French groups with it): a no-break space
    // stands in for any space.
    const auto ansi = [](const QString& sign) {
        return sign.size() == 1 && sign.front().isSpace() ? TAnsiString("\xA0")
                                                          : ToWindows1252(sign);
    };
    TNumberFormat format;
    format.DecimalPoint = ansi(locale.decimalPoint());
    format.GroupSeparator = locale.numberOptions().testFlag(QLocale::OmitGroupSeparator)
        ? TAnsiString()
        : ansi(locale.groupSeparator());
    return format;
}
