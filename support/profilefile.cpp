// SPDX-License-Identifier: GPL-3.0-or-later
#include "profilefile.h"

#include <QFile>

#include <vector>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

const QString kCrLf = u"\r\n"_s;
const QByteArray kUtf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray kUtf16LeMark = QByteArrayLiteral("\xFF\xFE");
const QByteArray kUtf16BeMark = QByteArrayLiteral("\xFE\xFF");

// A line's text is [start, end); its own break, if it has one, [end, next).
struct Span {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

// CR LF, LF and a lone CR each end a line. `visit` returns false to stop.
template <class Visit> void ForEachLine(QStringView units, Visit &&visit) {
    const qsizetype size = units.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype stop = start;
        while (stop < size && units[stop] != u'\r' && units[stop] != u'\n')
            ++stop;
        qsizetype next = stop;
        if (next < size)
            next += units[next] == u'\r' && next + 1 < size && units[next + 1] == u'\n' ? 2 : 1;
        if (!visit(Span{start, stop, next}))
            return;
        start = next;
    }
}

// The blanks Windows skips around names and values.
bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

QStringView Trimmed(QStringView text) {
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QStringView name;
    QStringView value;
};

ParsedLine Parse(QStringView text) {
    const QStringView line = Trimmed(text);
    if (line.isEmpty() || line.front() == u';')
        return {};
    if (line.front() == u'[') {
        const qsizetype close = line.indexOf(u']');
        return {LineKind::Section, Trimmed(close < 0 ? line.sliced(1) : line.sliced(1, close - 1)), {}};
    }
    // A line without "=" is still a key, one with no value.
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return {LineKind::Key, line, {}};
    return {LineKind::Key, Trimmed(line.left(equals)), Trimmed(line.sliced(equals + 1))};
}

QStringView Unquoted(QStringView value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

// The first character an 8-bit file cannot hold, a surrogate pair kept whole.
QString FirstBeyondLatin1(const QString &text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() <= 0xFF)
            continue;
        return text.mid(i, text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1);
    }
    return {};
}

void AppendUtf16(QByteArray &out, QStringView units, bool bigEndian) {
    out.reserve(out.size() + 2 * units.size());
    for (const QChar unit : units) {
        const char high = char(unit.unicode() >> 8);
        const char low = char(unit.unicode() & 0xFF);
        out.append(bigEndian ? high : low);
        out.append(bigEndian ? low : high);
    }
}

QString Utf16Units(QByteArrayView bytes, bool bigEndian) {
    QString units(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < units.size(); ++i) {
        const auto first = uchar(bytes[2 * i]);
        const auto second = uchar(bytes[2 * i + 1]);
        units[i] = QChar(bigEndian ? char16_t(first << 8 | second) : char16_t(second << 8 | first));
    }
    return units;
}

} // namespace

struct ProfileFile::Place {
    bool sectionFound = false;
    bool keyFound = false;
    Span key;
    QString keyName; // the key's own spelling, kept when its value changes
    Span lastKeyOrHeader;
};

bool ProfileFile::load(const QByteArray &path, QString *error) {
    QByteArray content;
    QString reason;
    if (ReadSmallFile(path, content, reason) == ReadStatus::Refused) {
        if (error)
            *error = reason;
        setBytes({});
        return false;
    }
    setBytes(content);
    return true;
}

void ProfileFile::setBytes(const QByteArray &bytes) {
    m_oddByte.clear();
    if (bytes.startsWith(kUtf8Mark)) {
        m_encoding = Encoding::Utf8;
        m_units = QString::fromLatin1(bytes.sliced(kUtf8Mark.size()));
    } else if (bytes.startsWith(kUtf16LeMark) || bytes.startsWith(kUtf16BeMark)) {
        const bool bigEndian = bytes.startsWith(kUtf16BeMark);
        m_encoding = bigEndian ? Encoding::Utf16Be : Encoding::Utf16Le;
        const QByteArrayView body = QByteArrayView(bytes).sliced(2);
        m_units = Utf16Units(body, bigEndian);
        if (body.size() % 2 != 0)
            m_oddByte = QByteArray(1, body.back());
    } else {
        m_encoding = Encoding::Latin1;
        m_units = QString::fromLatin1(bytes);
    }
}

QByteArray ProfileFile::bytes() const {
    switch (m_encoding) {
    case Encoding::Latin1:
        return m_units.toLatin1();
    case Encoding::Utf8:
        return kUtf8Mark + m_units.toLatin1();
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
        break;
    }
    const bool bigEndian = m_encoding == Encoding::Utf16Be;
    QByteArray out = bigEndian ? kUtf16BeMark : kUtf16LeMark;
    AppendUtf16(out, m_units, bigEndian);
    return out + m_oddByte;
}

QString ProfileFile::Decode(QStringView units) const {
    return m_encoding == Encoding::Utf8 ? QString::fromUtf8(units.toLatin1()) : units.toString();
}

bool ProfileFile::Encode(const QString &text, QString &units, QString *refusal) const {
    QString why;
    if (text.contains(u'\r') || text.contains(u'\n'))
        why = u"holds a line break, which would start a line of its own in the file"_s;
    else if (!QStringView(text).isValidUtf16())
        why = u"holds a broken character that no file can hold"_s;
    else if (const QString beyond = FirstBeyondLatin1(text);
             m_encoding == Encoding::Latin1 && !beyond.isEmpty())
        why = u"holds \u201C%1\u201D, a character that this 8-bit (Latin-1) file cannot hold"_s.arg(beyond);
    if (!why.isEmpty()) {
        if (refusal)
            *refusal = why;
        return false;
    }
    units = m_encoding == Encoding::Utf8 ? QString::fromLatin1(text.toUtf8()) : text;
    return true;
}

QString ProfileFile::value(const QString &section, const QString &key) const {
    return values(section, {key}).front();
}

// Only the first section of a name is searched, as Windows does; a later
// duplicate is never read or written.
QStringList ProfileFile::values(const QString &section, const QStringList &keys) const {
    QStringList found(keys.size());
    std::vector<bool> seen(std::size_t(keys.size()), false);
    bool inSection = false;
    ForEachLine(m_units, [&](const Span &line) {
        const ParsedLine parsed = Parse(QStringView(m_units).sliced(line.start, line.end - line.start));
        if (parsed.kind == LineKind::Section) {
            if (inSection)
                return false;
            inSection = Decode(parsed.name).compare(section, Qt::CaseInsensitive) == 0;
        } else if (inSection && parsed.kind == LineKind::Key) {
            const QString name = Decode(parsed.name);
            for (qsizetype i = 0; i < keys.size(); ++i) {
                if (seen[std::size_t(i)] || name.compare(keys[i], Qt::CaseInsensitive) != 0)
                    continue;
                seen[std::size_t(i)] = true;
                found[i] = Decode(Unquoted(parsed.value)).left(kMaxValueLength);
            }
        }
        return true;
    });
    return found;
}

ProfileFile::Place ProfileFile::Locate(const QString &section, const QString &key) const {
    Place place;
    ForEachLine(m_units, [&](const Span &line) {
        const ParsedLine parsed = Parse(QStringView(m_units).sliced(line.start, line.end - line.start));
        if (parsed.kind == LineKind::Section) {
            if (place.sectionFound)
                return false;
            place.sectionFound = Decode(parsed.name).compare(section, Qt::CaseInsensitive) == 0;
            place.lastKeyOrHeader = line;
        } else if (place.sectionFound && parsed.kind == LineKind::Key) {
            place.lastKeyOrHeader = line;
            if (!place.keyFound && Decode(parsed.name).compare(key, Qt::CaseInsensitive) == 0) {
                place.keyFound = true;
                place.key = line;
                place.keyName = parsed.name.toString();
            }
        }
        return true;
    });
    return place;
}

bool ProfileFile::setValue(const QString &section, const QString &key, const QString &value,
                           QString *refusal) {
    QString valueUnits, keyUnits, sectionUnits;
    if (!Encode(value, valueUnits, refusal) || !Encode(key, keyUnits, refusal) ||
        !Encode(section, sectionUnits, refusal))
        return false;
    const Place place = Locate(section, key);
    if (!place.sectionFound) {
        if (!m_units.isEmpty() && !m_units.endsWith(u'\n') && !m_units.endsWith(u'\r'))
            m_units += kCrLf;
        m_units += u'[' + sectionUnits + u']' + kCrLf + keyUnits + u'=' + valueUnits + kCrLf;
        return true;
    }
    // An existing key keeps its place, its spelling and its line break.
    if (place.keyFound) {
        m_units.replace(place.key.start, place.key.end - place.key.start, place.keyName + u'=' + valueUnits);
        return true;
    }
    // A new key goes after the section's last key rather than at its end, so
    // the blank lines and comments that lead into the next section stay with it.
    const Span &after = place.lastKeyOrHeader;
    QString line = keyUnits + u'=' + valueUnits + kCrLf;
    if (after.next == after.end)
        line.prepend(kCrLf);
    m_units.insert(after.next, line);
    return true;
}

SaveOutcome ProfileFile::save(const QByteArray &path) const {
    return SaveFileSafely(path, bytes());
}

QString ReadIniValue(const QString &section, const QString &key, const QString &path) {
    ProfileFile file;
    if (!file.load(QFile::encodeName(path)))
        return {};
    return file.value(section, key);
}

bool WriteIniValue(const QString &section, const QString &key, const QString &value, const QString &path,
                   QString *error) {
    QString reason;
    const QByteArray target = WriteTarget(QFile::encodeName(path), reason);
    ProfileFile file;
    // Saving over a file that could not be read would destroy what it holds.
    bool done = !target.isEmpty() && file.load(target, &reason);
    if (done && !file.setValue(section, key, value, &reason)) {
        reason = u"The value "_s + reason + u'.';
        done = false;
    }
    if (done) {
        const SaveOutcome outcome = file.save(target);
        done = outcome.saved;
        reason = outcome.error;
    }
    if (!done && error)
        *error = reason;
    return done;
}

} // namespace quorvane
