#pragma once

#include <QByteArray>
#include <QString>

namespace tavro {

// Why a file could not be used, for a report to the player.
struct FileProblem {
    enum class Cause { System, NotRegular, TooLarge, ReadOnly, Damaged };
    QString path;
    Cause cause = Cause::System;
    int error = 0; // errno when cause is System

    // The reason in the system's words (English).
    QString reason() const;
};

// Reads a whole file only when it is a regular file (a link to one counts) of
// at most maxBytes bytes. Never blocks on a FIFO or a device and never reads
// more than maxBytes + 1 bytes, so a link to /dev/zero costs nothing.
struct RegularFile {
    enum class Status { Ok, Missing, Refused };

    static RegularFile read(const QString& path, qint64 maxBytes);

    Status status = Status::Missing;
    QByteArray data;
    FileProblem problem; // why, when Refused
};

} // namespace tavro
