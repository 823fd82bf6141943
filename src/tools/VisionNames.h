#pragma once

#include "editing/ColorScience.h"
#include "i18n/OwnTexts.h"

#include <QString>

#include <span>

// The names of the kinds of colour vision, in the order of TVisionDeficiency, as the language
// files give them; the simulation reads them with its texts, and every tool that judges by a
// kind of vision shows them.
std::span<const TTextKey> VisionNameKeys();

// The name of a kind of colour vision as it reads inside a sentence or a heading ("protanopia"),
// in the current language.
QString VisionNameText(TVisionDeficiency vision);
