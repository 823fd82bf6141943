#pragma once

#include "i18n/OwnTexts.h"

#include <QString>

// The text of one of our own keys as the current language gives it.
QString Text(const TTextKey& key);
