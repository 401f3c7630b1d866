#pragma once

#include "settings/RegularFile.h"

#include <QByteArray>
#include <QString>

namespace tavro {

// Reads values from sectioned profile text files ("[Section]" lines followed by
// "key=value" lines), the format of the language files:
//  - section and key names match without regard to case,
//  - blanks and tabs around the key and the value are ignored,
//  - one pair of enclosing double or single quotes is removed from the value,
//  - a value is delivered with at most kMaxValueLength characters,
//  - the bytes are Windows-1252 text.
// A missing file, an empty path, a missing section or key all deliver the
// default with its trailing blanks removed. Only a regular file of at most
// kMaxFileBytes is read; any other file (a FIFO, a device, a huge file) is
// treated as missing, and problem, when given, receives why.
class ProfileReader {
public:
    static constexpr int kMaxValueLength = 254;
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    static QString readString(const QString& path, const QString& section, const QString& key,
                              const QString& defaultValue = QString(),
                              FileProblem* problem = nullptr);

    // The same lookup over file content already in memory.
    static QString findValue(const QByteArray& content, const QString& section, const QString& key,
                             const QString& defaultValue = QString());
};

} // namespace tavro
