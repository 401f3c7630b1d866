#pragma once

#include "settings/RegularFile.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tavro {

// Replaces the content of a file in one step: the data goes into a new file
// "<name>.XXXXXX" beside it, is synced to disk and renamed over the file, so
// a reader (or a crash at any moment) sees either the old or the new content.
// A link is followed only to a regular file; a file that is not regular or
// is read-only is not replaced. The file keeps its permissions.
// Returns why it failed, nullopt on success.
std::optional<FileProblem> replaceFile(const QString& path, const QByteArray& data);

// Creates the folder and its parents; 0 or the errno of the failure.
int makeFolder(const QString& folder);

// True for a temporary file name replaceFile() uses for path.
bool isTemporaryFileOf(const QString& path, const QString& candidate);

} // namespace tavro
