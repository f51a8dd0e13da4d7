// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace quorvane {

// Reading and writing whole files the way a design calculator must: a file
// that is not an ordinary small file is refused with a reason, and a save
// either completes or leaves the old file as it was.
//
// Paths are the bytes the file system holds (QFile::encodeName of a typed
// name), so a name that is not valid UTF-8 still opens.

// The files we read are text files of a few hundred bytes; anything larger
// is not one of ours, and reading it would only cost memory and time.
inline constexpr qint64 kLargestFileRead = qint64(1) << 20;

enum class ReadStatus { Read, Missing, Refused };

// Reads the whole of a regular file no larger than kLargestFileRead. A FIFO,
// a device or a folder is never opened for reading, so nothing blocks.
ReadStatus ReadSmallFile(const QByteArray &path, QByteArray &bytes, QString &error);

// Where a save into `path` really goes: the path itself, or the file a link
// leads to. A link in a shared sticky folder (such as /tmp) that another user
// owns is not followed, as the kernel's protected-symlinks rule would not:
// empty, with the reason in `error`.
QByteArray WriteTarget(const QByteArray &path, QString &error);

struct SaveOutcome {
    bool saved = false;
    // Only a write in place that fails halfway can change the old file.
    bool oldFileKept = true;
    QString error;
};

// Replaces the file with `bytes`: written beside it, flushed to disk, then
// renamed over it, so a full disk or a crash leaves the old file whole. The
// new file keeps the old one's permissions, owner and group. Where the
// folder cannot take a new file, or the owner could not be kept, the file is
// rewritten in place instead, after reserving the room it needs.
SaveOutcome SaveFileSafely(const QByteArray &path, const QByteArray &bytes);

// A path as the user should read it in a message.
QString DisplayPath(const QByteArray &path);

} // namespace quorvane
