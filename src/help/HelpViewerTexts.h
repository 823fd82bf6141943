#pragma once

#include <QString>

// The texts of the help viewer's window, in English until a language gives others. "&" marks an
// accelerator letter; %1 in CannotOpen is the help file's name, the reasons follow it, and %1 in
// TooLarge is the largest size.
struct THelpViewerTexts
{
    QString Back = "Back";
    QString Forward = "Forward";
    QString Home = "Home";
    QString Contents = "&Contents";
    QString Index = "I&ndex";
    QString KeywordLabel = "&Type in the keyword to find:";
    QString Display = "&Display";
    QString CannotOpen = "The help file %1 cannot be opened.";
    QString NotRegularFile = "It is not a regular file.";
    QString TooLarge = "It is larger than %1.";

    bool operator==(const THelpViewerTexts&) const = default;
};
