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
    // The folder takes no new file and only a rewrite in place could save: see InPlaceConsent.
    bool inPlaceRefused = false;
};

// While one lives in this thread, a save into a folder that takes no new
// file rewrites the file where it stands. The window creates one once the
// user has agreed to that risk; the command line never does.
class InPlaceConsent {
  public:
    InPlaceConsent();
    ~InPlaceConsent();
    InPlaceConsent(const InPlaceConsent &) = delete;
    InPlaceConsent &operator=(const InPlaceConsent &) = delete;
};

// Replaces the file with `bytes`: written beside it, flushed to disk, then
// renamed over it, so a full disk or a crash leaves the old file whole. The
// new file keeps the old one's permissions, owner, group and ACL. Where the
// owner or ACL could not be kept, or a sticky folder forbids the rename, the
// file is rewritten in place, after reserving the room it needs, while the
// copy beside it holds the new bytes whole until the rewrite is done. Where
// the folder takes no new file at all, the save is refused (inPlaceRefused)
// unless an InPlaceConsent lives. Our own temporaries of the same name that
// a killed save left over a day ago are removed on the way.
SaveOutcome SaveFileSafely(const QByteArray &path, const QByteArray &bytes);

// A path as the user should read it in a message.
QString DisplayPath(const QByteArray &path);

} // namespace quorvane
