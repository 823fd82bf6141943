#pragma once

#include "common/ErrorMessage.h"

#include <QString>

#include <filesystem>
#include <vector>

class QWidget;

// The failures of one request (files from the desktop): one box however many failed, naming
// each file with its reason.
struct TFileFailure
{
    std::filesystem::path File;
    QString Reason;
};
void ShowErrorBox(QWidget* parent, const std::vector<TFileFailure>& failures);
