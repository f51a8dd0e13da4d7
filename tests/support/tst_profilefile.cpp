// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipevaluesfile.h"
#include "profilefile.h"
#include "templatesection.h"

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

// Every text of the templates' section in one value that compares.
auto Tied(const quorvane::TemplateSectionTexts &t) {
    std::vector<std::string> bends;
    for (const auto &[name, bend] : t.bends)
        bends.insert(bends.end(), {name, bend.angle, bend.pieces, bend.direction});
    const quorvane::TemplateTexts &o = t.options;
    return std::tuple(o.thickness, o.kFactor, o.overlap, o.pieces, o.seamAllowance, o.rollLines,
                      o.outsideDiameters, int(o.paper), t.bendLayout, bends);
}

} // namespace

// The profile file as the old program reads and writes it, and the pipe's values and the templates' section
// kept in one.
class TestProfileFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const quorvane::PipeValueTexts m_sample = {u"190"_s, u"11500"_s, u"550"_s, u"1.4"_s, u"287"_s, u"40"_s,
                                               u"60"_s,  u"35"_s,    u"80"_s,  u"400"_s, u""_s,    u"0.35"_s};

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

    // Nothing is written when a value cannot be stored or the file cannot be replaced; the user learns why.
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

    // A new file holds the section and the twelve keys in order. The templates' section goes beside the
    // design: the design's keys, a foreign section and comments keep every byte, and what is written reads
    // back; saved again with one bend less, only that bend's value is gone.
    void template_section_round_trip() {
        const QString path = m_dir.filePath(u"design.txt"_s);
        QVERIFY(quorvane::WritePipeValues(QFile::encodeName(path), m_sample).saved);
        QCOMPARE(ReadAll(path),
                 "[PipeCalcValues]\r\ntiming=190\r\nRPM=11500\r\ntemp=550\r\nheats=1.4\r\n"
                 "gasConstant=287\r\nportWindowD=40\r\nportLength=60\r\nportFlangeD=35\r\n"
                 "portToPipe=80\r\nportToMid=400\r\nportToOutlet=\r\nhornCoefficient=0.35\r\n");
        const QByteArray before = ReadAll(path) + "; my notes\r\n[Other]\r\nkey=value\r\n";
        QVERIFY(Put(path, before));
        quorvane::TemplateSectionTexts texts;
        texts.options = {"1.5", "0.42", "10", "1", "6", "8", true, quorvane::Paper::Letter};
        texts.bendLayout = "blank";
        texts.bends["L3"] = {"90", "4", "270"};
        texts.bends["L7"] = {"30", "3", "0"};
        QVERIFY(quorvane::WriteTemplateSection(QFile::encodeName(path), texts).saved);
        const QByteArray after = ReadAll(path);
        QVERIFY(after.startsWith(before)); // nothing of the design or the notes moved
        QVERIFY(after.contains("[CuttingTemplates]\r\nthickness=1.5\r\n"));
        QVERIFY(after.contains("\r\nbendL3=90:4:270\r\n") && after.contains("\r\nbendL1=\r\n"));
        QCOMPARE((*quorvane::ReadPipeValues(QFile::encodeName(path)))[6], u"60"_s);
        quorvane::TemplateSectionTexts back, fewer;
        QVERIFY(quorvane::ReadTemplateSection(QFile::encodeName(path), back));
        QVERIFY(Tied(back) == Tied(texts));
        texts.bends.erase("L3");
        QVERIFY(quorvane::WriteTemplateSection(QFile::encodeName(path), texts).saved);
        QCOMPARE(ReadAll(path), QByteArray(after).replace("bendL3=90:4:270", "bendL3="));
        QVERIFY(quorvane::ReadTemplateSection(QFile::encodeName(path), fewer));
        QVERIFY(Tied(fewer) == Tied(texts));
    }

    // A key the reader cannot use is named with the reason, and the texts stay as they were.
    void template_section_refusals_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("said");
        QTest::newRow("paper") << QByteArray("paper=folio") << u"paper"_s;
        QTest::newRow("layout") << QByteArray("bendLayout=both") << u"bendLayout"_s;
        QTest::newRow("bend fields") << QByteArray("bendL2=90") << u"bendL2"_s;
        QTest::newRow("diameters") << QByteArray("diameters=middle") << u"diameters"_s;
    }
    void template_section_refusals() {
        QFETCH(QByteArray, line);
        QFETCH(QString, said);
        const QString path = m_dir.filePath(u"refused.txt"_s);
        QVERIFY(Put(path, "[CuttingTemplates]\r\nthickness=2\r\n" + line + "\r\n"));
        quorvane::TemplateSectionTexts texts;
        QString error;
        QVERIFY(!quorvane::ReadTemplateSection(QFile::encodeName(path), texts, &error));
        QVERIFY2(error.contains(said), qPrintable(error));
        QCOMPARE(texts.options.thickness, std::string()); // nothing applied
    }

    // The sixth value is replaced by text; an empty value must read back as nothing, so a box keeps its text.
    void reads_back_what_was_written_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("readBack"); // empty: nothing
        QTest::newRow("padding trimmed") << u" 0.35 "_s << u"0.35"_s;
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("blank") << u"   "_s << QString();
        QTest::newRow("empty quotes") << u"\"\""_s << QString();
    }
    void reads_back_what_was_written() {
        QFETCH(QString, text);
        QFETCH(QString, readBack);
        const QByteArray path = QFile::encodeName(m_dir.filePath(u"roundtrip.txt"_s));
        quorvane::PipeValueTexts texts = m_sample;
        texts[5] = text;
        QVERIFY(quorvane::WritePipeValues(path, texts).saved);
        const auto readings = quorvane::ReadPipeValues(path);
        QVERIFY(readings);
        texts[5] = readBack;
        for (std::size_t i = 0; i < texts.size(); ++i)
            QCOMPARE((*readings)[i].value_or(u"(nothing)"_s), texts[i].isEmpty() ? u"(nothing)"_s : texts[i]);
    }

    void adds_txt_unless_a_three_letter_extension_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no extension") << u"/home/me/pipe"_s << u"/home/me/pipe.txt"_s;
        QTest::newRow("dat kept") << u"pipe.dat"_s << u"pipe.dat"_s;
        QTest::newRow("four letters") << u"pipe.text"_s << u"pipe.text.txt"_s;
        QTest::newRow("dot in the folder only") << u"my.pipes/pipe"_s << u"my.pipes/pipe.txt"_s;
        QTest::newRow("shorter than four") << u"a.b"_s << u"a.b.txt"_s;
    }
    void adds_txt_unless_a_three_letter_extension() {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(quorvane::WithPipeExtension(path), expected);
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
