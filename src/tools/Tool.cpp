#include "tools/Tool.h"

TTool::TTool(const TToolContext& context, QObject* parent)
    : QObject(parent)
    , FContext(context)
{ }
