#pragma once

#include "common/NumberText.h"
#include "i18n/OwnTexts.h"

#include <QString>

#include <cstdint>

// The text of one of our own keys as the current language gives it.
QString Text(const TTextKey& key);

// A count as the language's locale writes it ("1,234" in English, "1.234" in German).
QString CountNumber(std::uint64_t count);

// The text of a count in the current language, its %1 filled with the count: `one` for a count
// the language says in the singular, `many` for the others. Further values (%2, ...) are left
// for the caller.
QString CountText(const TTextKey& one, const TTextKey& many, std::uint64_t count);

// How the language's locale writes numbers, for texts the core puts together.
TNumberFormat ShownNumberFormat();
