#include "i18n/ShownText.h"

#include "common/UiText.h"

QString Text(const TTextKey& key)
{
    return FromWindows1252(OwnText(key));
}
