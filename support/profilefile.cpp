#include "profilefile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quorvane {

namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QByteArray name;
    QByteArray value;
};

// Line text never holds CR or LF, so QByteArray::trimmed() strips exactly
// the blanks, tabs, vertical tabs and form feeds Windows skips.
ParsedLine Parse(const QByteArray &text) {
    const QByteArray line = text.trimmed();
    if (line.isEmpty() || line.startsWith(';'))
        return {};
    if (line.startsWith('[')) {
        const qsizetype close = line.indexOf(']');
        return {LineKind::Section, line.mid(1, close < 0 ? -1 : close - 1).trimmed(), {}};
    }
    // A line without "=" is still a key, one with no value.
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return {LineKind::Key, line, {}};
    return {LineKind::Key, line.left(equals).trimmed(), line.mid(equals + 1).trimmed()};
}

bool SameName(const QByteArray &name, const QString &wanted) {
    return QString::fromLatin1(name).compare(wanted, Qt::CaseInsensitive) == 0;
}

QByteArray Unquoted(const QByteArray &value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

bool Fail(QString *error, const QString &reason) {
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool ProfileFile::load(const QString &path, QString *error) {
    m_lines.clear();
    const QFileInfo info(path);
    if (!info.exists())
        return true;
    if (info.isDir())
        return Fail(error, QStringLiteral("%1 is a folder, not a file.").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Fail(error, file.errorString());
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Fail(error, file.errorString());
    setBytes(content);
    return true;
}

void ProfileFile::setBytes(const QByteArray &bytes) {
    m_lines.clear();
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype stop = start;
        while (stop < bytes.size() && bytes[stop] != '\r' && bytes[stop] != '\n')
            ++stop;
        qsizetype next = stop;
        if (next < bytes.size())
            next += bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n' ? 2 : 1;
        m_lines.append({bytes.sliced(start, stop - start), bytes.sliced(stop, next - stop)});
        start = next;
    }
}

QByteArray ProfileFile::bytes() const {
    QByteArray result;
    for (const Line &line : m_lines)
        result += line.text + line.end;
    return result;
}

QString ProfileFile::value(const QString &section, const QString &key) const {
    const qsizetype line = findKey(findSection(section), key);
    if (line < 0)
        return {};
    return QString::fromLatin1(Unquoted(Parse(m_lines[line].text).value).left(kMaxValueLength));
}

void ProfileFile::setValue(const QString &section, const QString &key, const QString &value) {
    const qsizetype header = findSection(section);
    if (header < 0) {
        if (!m_lines.isEmpty() && m_lines.back().end.isEmpty())
            m_lines.back().end = kCrLf;
        m_lines.append({'[' + section.toLatin1() + ']', kCrLf});
        m_lines.append({key.toLatin1() + '=' + value.toLatin1(), kCrLf});
        return;
    }
    // An existing key keeps its place, its spelling and its line break.
    if (const qsizetype line = findKey(header, key); line >= 0) {
        m_lines[line].text = Parse(m_lines[line].text).name + '=' + value.toLatin1();
        return;
    }
    const qsizetype after = lastKeyOrHeader(header);
    if (m_lines[after].end.isEmpty())
        m_lines[after].end = kCrLf;
    m_lines.insert(after + 1, {key.toLatin1() + '=' + value.toLatin1(), kCrLf});
}

bool ProfileFile::save(const QString &path, QString *error) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, file.errorString());
    const QByteArray content = bytes();
    const qint64 written = m_write ? m_write(file, content) : file.write(content);
    // A short write leaves no error on the device when the disk is merely
    // full, and commit() would then replace the old file with a cut-off one.
    if (written != content.size()) {
        const QString reason = file.error() != QFileDevice::NoError
                                   ? file.errorString()
                                   : QStringLiteral("Only %1 of %2 bytes could be written.")
                                         .arg(qMax(written, qint64(0)))
                                         .arg(content.size());
        file.cancelWriting();
        return Fail(error, reason);
    }
    if (!file.commit())
        return Fail(error, file.errorString());
    return true;
}

void ProfileFile::setWriteFunction(WriteFunction write) {
    m_write = std::move(write);
}

// Only the first section of a name is searched, as Windows does; a later
// duplicate is never read or written.
qsizetype ProfileFile::findSection(const QString &section) const {
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const ParsedLine parsed = Parse(m_lines[i].text);
        if (parsed.kind == LineKind::Section && SameName(parsed.name, section))
            return i;
    }
    return -1;
}

qsizetype ProfileFile::findKey(qsizetype header, const QString &key) const {
    if (header < 0)
        return -1;
    for (qsizetype i = header + 1; i < m_lines.size(); ++i) {
        const ParsedLine parsed = Parse(m_lines[i].text);
        if (parsed.kind == LineKind::Section)
            break;
        if (parsed.kind == LineKind::Key && SameName(parsed.name, key))
            return i;
    }
    return -1;
}

// A new key goes after the section's last key rather than at its end, so the
// blank lines and comments that lead into the next section stay with it.
qsizetype ProfileFile::lastKeyOrHeader(qsizetype header) const {
    qsizetype last = header;
    for (qsizetype i = header + 1; i < m_lines.size(); ++i) {
        const LineKind kind = Parse(m_lines[i].text).kind;
        if (kind == LineKind::Section)
            break;
        if (kind == LineKind::Key)
            last = i;
    }
    return last;
}

QString ReadIniValue(const QString &section, const QString &key, const QString &path) {
    ProfileFile file;
    if (!file.load(path))
        return {};
    return file.value(section, key);
}

bool WriteIniValue(const QString &section, const QString &key, const QString &value, const QString &path,
                   QString *error) {
    ProfileFile file;
    // Saving over a file that could not be read would destroy what it holds.
    if (!file.load(path, error))
        return false;
    file.setValue(section, key, value);
    return file.save(path, error);
}

} // namespace quorvane
