// SPDX-License-Identifier: GPL-3.0-or-later
#include "profilefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray ReadAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A null array leaves no file.
bool Put(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return bytes.isNull() || (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// Comments, blank lines, other sections, odd spacing, mixed line ends: a save must keep them all.
const QByteArray kKept = "; pipe\r\n\r\n[Other]\nk = 0\n\n[S]\r\n  a = 1 \r\n; note\r  Key = old \n\t b=2\r\n"
                         "\r\n; next\r\n[T]\rx=1";

// A text as a UTF-16 file holds it, byte order mark first.
QByteArray Utf16(const char *utf8, bool bigEndian) {
    QByteArray bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const QChar c : QString::fromUtf8(utf8)) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

  private slots:
    // A read row reads key "k" of section "S"; a write row sets a key of "S" and keeps every other byte.
    void reads_and_writes_as_windows_does_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value"); // null in a read row
        QTest::addColumn<QByteArray>("expected");
        auto write = [](const char *tag, const QByteArray &before, const QString &key, const QString &value,
                        const QByteArray &after) { QTest::newRow(tag) << before << key << value << after; };
        auto read = [&](const char *tag, QByteArray in, QByteArray out) { write(tag, in, "k", {}, out); };
        auto kept = [](const char *from, const char *to) { return QByteArray(kKept).replace(from, to); };
        read("names in any case", "[s]\r\nK=9000\r\n", "9000");
        read("blanks around names and values, then quotes", " \t[ S ] \r\n \tk \t=  'v w' \t\r\n", "v w");
        read("double quotes removed", "[S]\r\nk= \" a \" \r\n", " a ");
        read("one pair of quotes removed", "[S]\r\nk=\"\"a\"\"\r\n", "\"a\"");
        read("mismatched quotes kept", "[S]\r\nk=\"a'\r\n", "\"a'");
        read("value after the first equals", "[S]\r\nk=a=b\r\n", "a=b");
        read("comments skipped", ";[S]\r\nk=1\r\n[S]\r\n ; k=2\r\nk=3\r\n", "3");
        read("first duplicate key wins", "[S]\r\nk=1\r\nK=2\r\n", "1");
        read("later duplicate section not searched", "[S]\r\na=1\r\n[s]\r\nk=2\r\n", "");
        read("missing key; other sections' keys do not count", "k=1\r\n[S]\r\nkk=2\r\n[T]\r\nk=3\r\n", "");
        read("missing section", "[T]\r\nk=v\r\n", "");
        read("missing file", QByteArray(), "");
        read("CR line ends", "[S]\rj=v\rk=w\r", "w");
        read("mixed line ends", "[S]\r\na=1\nb=2\rk=v", "v");
        read("Latin-1 bytes", "[S]\r\nk=\xE9t\xE9\r\n", "\xC3\xA9t\xC3\xA9");
        read("long value cut to 127", "[S]\r\nk=" + QByteArray(127, 'a') + "b", QByteArray(127, 'a'));
        read("cut after unquoting", "[S]\r\nk=\"" + QByteArray(198, 'a') + "\"", QByteArray(127, 'a'));
        write("key kept in place", kKept, "KEY", "new", kept("  Key = old \n", "Key=new\n"));
        write("new key after the last", kKept, "z", "v", kept("b=2\r\n", "b=2\r\nz=v\r\n"));
        write("new section at the end", "[T]\rb=2", "k", "v", "[T]\rb=2\r\n[S]\r\nk=v\r\n");
        write("new file", QByteArray(), "k", "v", "[S]\r\nk=v\r\n");
        write("unterminated key stays unterminated", "[S]\r\nk=old", "k", "v", "[S]\r\nk=v");
        write("new key after an unterminated line", "[S]\r\na=1", "k", "v", "[S]\r\na=1\r\nk=v\r\n");
        write("first duplicate key changed", "[S]\nk=1\nk=2\n", "k", "v", "[S]\nk=v\nk=2\n");
        write("first duplicate section", "[S]\na=1\n[S]\nk=1\n", "k", "v", "[S]\na=1\nk=v\r\n[S]\nk=1\n");
        write("commented key is no key", "[S]\n;k=1\n\n[T]\n", "k", "v", "[S]\nk=v\r\n;k=1\n\n[T]\n");
        write("value as given, Latin-1 as bytes", "[S]\r\n", "k", u" 5° "_s, "[S]\r\nk= 5\xB0 \r\n");
        // A file with a byte order mark is read and written in its own encoding.
        read("UTF-16LE", Utf16("[S]\r\nk=5\u00B0 \u20AC\r\n", false), "5\xC2\xB0 \xE2\x82\xAC");
        read("UTF-16BE, names in any case", Utf16("[s]\nK=\u00E9\n", true), "\xC3\xA9");
        read("UTF-8", "\xEF\xBB\xBF[S]\r\nk=\xE2\x82\xAC\r\n", "\xE2\x82\xAC");
        write("UTF-16BE key kept", Utf16("[S]\r\nk=old\r\n", true), "k", u"\u20AC5"_s,
              Utf16("[S]\r\nk=\u20AC5\r\n", true));
        write("UTF-16LE odd last byte kept", Utf16("[S]\r\n", false) + 'x', "k", "v",
              Utf16("[S]\r\nk=v\r\n", false) + 'x');
        write("UTF-8 new section", "\xEF\xBB\xBF[T]", "k", u"\u20AC"_s,
              "\xEF\xBB\xBF[T]\r\n[S]\r\nk=\xE2\x82\xAC\r\n");
    }
    void reads_and_writes_as_windows_does() {
        QFETCH(QByteArray, before);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, expected);
        const QString path = m_dir.filePath(QTest::currentDataTag());
        QVERIFY(Put(path, before));
        QVERIFY(value.isNull() || quorvane::WriteIniValue("S", key, value, path));
        QCOMPARE(value.isNull() ? quorvane::ReadIniValue("S", key, path).toUtf8() : ReadAll(path), expected);
    }

    // Nothing is written when a value cannot be stored or the file cannot be replaced, and the user learns
    // why.
    void refused_write_keeps_the_file_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("reason");
        const std::tuple<const char *, const char *, QString, QString> rows[] = {
            {"line break", "pipe.ini", u"190\nRPM=99999"_s, u"holds a line break"_s},
            {"carriage return", "pipe.ini", u"190\rRPM=99999"_s, u"holds a line break"_s},
            {"beyond Latin-1", "pipe.ini", u"5\u20AC"_s, u"holds \u201C\u20AC\u201D"_s},
            {"folder missing", "missing/pipe.ini", u"1"_s, u"The folder"_s},
            {"folder in the way", "folder.ini", u"1"_s, u"is a folder"_s},
        };
        for (const auto &[tag, target, value, reason] : rows)
            QTest::newRow(tag) << QString(target) << value << reason;
    }
    void refused_write_keeps_the_file() {
        QFETCH(QString, target);
        QFETCH(QString, value);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(Put(dir.filePath("pipe.ini"), kKept) && QDir(dir.path()).mkdir("folder.ini"));
        QString error;
        QVERIFY(!quorvane::WriteIniValue("S", "k", value, dir.filePath(target), &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(ReadAll(dir.filePath("pipe.ini")), kKept);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"folder.ini", "pipe.ini"}));
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
