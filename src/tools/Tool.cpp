#include "tools/Tool.h"

#include "common/UiText.h"

TTool::TTool(const TToolContext& context, QObject* parent)
    : QObject(parent)
    , FContext(context)
{ }

QString TTool::Text(const TTextKey& key)
{
    return FromWindows1252(OwnText(key));
}
