#pragma once

class QFileDialog;

// Makes the dialog's detail view show file sizes and dates in the program's locale (the
// language's, QLocale()), where Qt's file model writes them in the system's.
void ShowDetailsInProgramLocale(QFileDialog& dialog);
