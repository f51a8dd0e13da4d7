#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class QIODevice;

namespace quorvane {

// An INI-layout text file read and edited the way the Windows private profile
// calls treat it, so files written by either program stay interchangeable.
// QSettings cannot do this: it rewrites the whole file, drops comments,
// escapes keys and lets the last duplicate win. Here a save changes only the
// lines of the keys that were set and keeps every other byte as it was.
class ProfileFile {
  public:
    // Writes bytes to device and returns how many were written, as
    // QIODevice::write does; a test replaces it to act out a full disk.
    using WriteFunction = std::function<qint64(QIODevice &device, const QByteArray &bytes)>;

    // The Windows calls read into a buffer of 128 characters, terminator included.
    static constexpr qsizetype kMaxValueLength = 127;

    // A missing file loads as empty and succeeds, since saving to a new path
    // is normal; a folder or an unreadable file fails with a reason.
    bool load(const QString &path, QString *error = nullptr);
    void setBytes(const QByteArray &bytes);
    QByteArray bytes() const;

    // Empty when the section or key is missing. Names match in any case, the
    // first section and key of a name win, and the value comes back trimmed,
    // without one pair of enclosing quotes and cut to kMaxValueLength.
    QString value(const QString &section, const QString &key) const;
    // Text outside Latin-1 is stored as '?', as an 8-bit file must.
    void setValue(const QString &section, const QString &key, const QString &value);

    // Replaces the file as a whole or not at all; on failure the old file is
    // left intact and error says what went wrong.
    bool save(const QString &path, QString *error = nullptr) const;
    void setWriteFunction(WriteFunction write);

  private:
    struct Line {
        QByteArray text;
        QByteArray end; // the line's own break, empty on an unterminated last line
    };

    qsizetype findSection(const QString &section) const;
    qsizetype findKey(qsizetype header, const QString &key) const;
    qsizetype lastKeyOrHeader(qsizetype header) const;

    QList<Line> m_lines;
    WriteFunction m_write;
};

// Like GetPrivateProfileString with an empty default: anything that cannot be
// read reads as empty.
QString ReadIniValue(const QString &section, const QString &key, const QString &path);
// Like WritePrivateProfileString, but says why it failed.
bool WriteIniValue(const QString &section, const QString &key, const QString &value, const QString &path,
                   QString *error = nullptr);

} // namespace quorvane
