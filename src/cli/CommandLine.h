#pragma once

#include "cli/Commands.h"

#include <QStringList>

#include <iosfwd>

// The command line: the checks and conversions of the editor's menus run without a window (and
// without a display), for authors who keep many schemes and check them in their builds.
//
//   tintwright --check SCHEME.clr [--preview FILE.cpf] [--vision KIND] [--threshold N]
//                                 [--format text|json] [--ignore-intended] [--output FILE]
//   tintwright --reference-scheme OUT.clr [--scheme SCHEME.clr]
//   tintwright --convert SCREENSHOT --output OUT.cpf [--scheme SCHEME.clr]
//   tintwright --import-colors SCREENSHOT --scheme SCHEME.clr [--preview FILE.cpf] --output OUT.clr
//   tintwright --export-palette SCHEME.clr --output NAME.gpl
//   tintwright --help | --version
//
// Results go to standard output or the file named, messages to standard error, in English (the
// command line has no language setting), naming the file concerned. Exit status: 0 done, 1 the
// check found pairs hard to tell apart, 2 bad input or a failed write (a file written is replaced
// whole or not at all).
enum TExitStatus { ExitDone = 0, ExitProblemsFound = 1, ExitFailed = 2 };

// Runs one command; arguments are the program's, its name first (QCoreApplication::arguments()).
// Needs a QCoreApplication, no QGuiApplication.
int RunCommandLine(const QStringList& arguments, const TCommandPlaces& places, std::ostream& out,
    std::ostream& err);
