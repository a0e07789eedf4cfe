#pragma once
// The Formulas and Materials folders kept in the user's settings file, the
// file of the recent files and of "Show tips next time?". A settings file that
// the recent files refuse (no regular file, too large) is neither read nor
// written here either.
#include "core/formulas/KeptFolders.h"

#include <QString>

#include <memory>

class QSettings;

// The one door to the settings file for every key but the recent files' own
// (whose list checks the file alike): null when the file is no regular file
// (a pipe would block the start for good) or larger than 1 MiB, so that such
// a file is neither read nor written.
std::unique_ptr<QSettings> openProgramSettings();

// The folders kept; empty texts when none is kept or the file is refused.
tintora::KeptFolders readKeptFolders();

// Keeps both folders; an empty text when they were kept, else why not (the
// file refused, or not written), as a sentence naming the file.
QString keepFolders(const QString& formulas, const QString& materials);
