// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "diskfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quorvane {

// An INI-layout text file read and edited the way the Windows private profile
// calls treat it, so files written by either program stay interchangeable.
// QSettings cannot do this: it rewrites the whole file, drops comments,
// escapes keys and lets the last duplicate win. Here a save changes only the
// lines of the keys that were set and keeps every other byte as it was.
class ProfileFile {
  public:
    // A file that starts with a byte order mark is read and written in that
    // encoding; any other is 8-bit text, read as Latin-1, as a new file is.
    enum class Encoding { Latin1, Utf8, Utf16Le, Utf16Be };

    // The Windows calls read into a buffer of 128 characters, terminator included.
    static constexpr qsizetype kMaxValueLength = 127;

    // A missing file loads as empty and succeeds, since saving to a new path
    // is normal; anything ReadSmallFile refuses fails with its reason.
    bool load(const QByteArray &path, QString *error = nullptr);
    void setBytes(const QByteArray &bytes);
    QByteArray bytes() const;
    Encoding encoding() const { return m_encoding; }

    // Empty when the section or key is missing. Names match in any case, the
    // first section and key of a name win, and the value comes back trimmed,
    // without one pair of enclosing quotes and cut to kMaxValueLength.
    QString value(const QString &section, const QString &key) const;
    // The same for several keys of one section, in one pass over the file.
    QStringList values(const QString &section, const QStringList &keys) const;

    // Refuses a text with a line break (it would make lines of its own) or
    // with a character the file's encoding cannot hold, leaving the file as
    // it was; `refusal` then says what the text holds, as a clause that
    // follows the text's name ("holds a line break").
    bool setValue(const QString &section, const QString &key, const QString &value,
                  QString *refusal = nullptr);

    SaveOutcome save(const QByteArray &path) const;

  private:
    struct Place;

    QString Decode(QStringView units) const;
    bool Encode(const QString &text, QString &units, QString *refusal) const;
    Place Locate(const QString &section, const QString &key) const;

    // The file's code units: its bytes for 8-bit files, its 16-bit units for
    // UTF-16 ones, so that every foreign byte survives a save unchanged.
    QString m_units;
    Encoding m_encoding = Encoding::Latin1;
    QByteArray m_oddByte; // the last byte of a UTF-16 file of odd length
};

// Like GetPrivateProfileString with an empty default: anything that cannot be
// read reads as empty.
QString ReadIniValue(const QString &section, const QString &key, const QString &path);
// Like WritePrivateProfileString, but says why it failed.
bool WriteIniValue(const QString &section, const QString &key, const QString &value, const QString &path,
                   QString *error = nullptr);

} // namespace quorvane
