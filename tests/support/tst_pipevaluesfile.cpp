// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipevaluesfile.h"
#include "templatesection.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPipeValuesFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const quorvane::PipeValueTexts m_sample = {u"190"_s, u"11500"_s, u"550"_s, u"1.4"_s, u"287"_s, u"40"_s,
                                               u"60"_s,  u"35"_s,    u"80"_s,  u"400"_s, u""_s,    u"0.35"_s};

    static QByteArray Read(const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    }

  private slots:
    // The templates' section goes beside the design: the design's keys, a
    // foreign section and comments keep every byte, and what is written reads back.
    void template_section_round_trip() {
        const QString path = m_dir.filePath(u"design.txt"_s);
        QVERIFY(quorvane::WritePipeValues(QFile::encodeName(path), m_sample).saved);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            file.write("; my notes\r\n[Other]\r\nkey=value\r\n");
        }
        const QByteArray before = Read(path);
        quorvane::TemplateSectionTexts texts;
        texts.options.thickness = "1.5";
        texts.options.kFactor = "0.42";
        texts.options.seamAllowance = "6";
        texts.options.rollLines = "8";
        texts.options.outsideDiameters = true;
        texts.options.paper = quorvane::Paper::Letter;
        texts.bendLayout = "blank";
        texts.bends["L3"] = {"90", "4", "270"};
        texts.bends["L7"] = {"30", "3", "0"};
        QVERIFY(quorvane::WriteTemplateSection(QFile::encodeName(path), texts).saved);
        const QByteArray after = Read(path);
        QVERIFY(after.startsWith(before)); // nothing of the design or the notes moved
        QVERIFY(after.contains("[CuttingTemplates]\r\nthickness=1.5\r\n"));
        QVERIFY(after.contains("\r\nbendL3=90:4:270\r\n"));
        QVERIFY(after.contains("\r\nbendL1=\r\n"));
        QCOMPARE((*quorvane::ReadPipeValues(QFile::encodeName(path)))[6], u"60"_s);

        quorvane::TemplateSectionTexts back;
        QVERIFY(quorvane::ReadTemplateSection(QFile::encodeName(path), back));
        QCOMPARE(back.options.thickness, texts.options.thickness);
        QCOMPARE(back.options.kFactor, texts.options.kFactor);
        QCOMPARE(back.options.overlap, texts.options.overlap);
        QCOMPARE(back.options.pieces, texts.options.pieces);
        QCOMPARE(back.options.seamAllowance, texts.options.seamAllowance);
        QCOMPARE(back.options.rollLines, texts.options.rollLines);
        QCOMPARE(back.options.outsideDiameters, true);
        QVERIFY(back.options.paper == quorvane::Paper::Letter);
        QCOMPARE(back.bendLayout, std::string("blank"));
        QCOMPARE(int(back.bends.size()), 2);
        QCOMPARE(back.bends["L3"].direction, std::string("270"));
        QCOMPARE(back.bends["L7"].pieces, std::string("3"));

        // Saved again with one bend less: the section is there once, the bend gone.
        texts.bends.erase("L3");
        QVERIFY(quorvane::WriteTemplateSection(QFile::encodeName(path), texts).saved);
        const QByteArray again = Read(path);
        QCOMPARE(again.count("[CuttingTemplates]"), 1);
        QCOMPARE(again.size(), after.size() - qsizetype(QByteArray("90:4:270").size()));
        quorvane::TemplateSectionTexts fewer;
        QVERIFY(quorvane::ReadTemplateSection(QFile::encodeName(path), fewer));
        QCOMPARE(int(fewer.bends.size()), 1);
        QVERIFY(Read(path).startsWith(before));
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
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[CuttingTemplates]\r\nthickness=2\r\n" + line + "\r\n");
        file.close();
        quorvane::TemplateSectionTexts texts;
        QString error;
        QVERIFY(!quorvane::ReadTemplateSection(QFile::encodeName(path), texts, &error));
        QVERIFY2(error.contains(said), qPrintable(error));
        QCOMPARE(texts.options.thickness, std::string()); // nothing applied
    }

    void new_file_holds_the_section_and_twelve_keys_in_order() {
        const QString path = m_dir.filePath(u"new.txt"_s);
        QVERIFY(quorvane::WritePipeValues(QFile::encodeName(path), m_sample).saved);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 "[PipeCalcValues]\r\ntiming=190\r\nRPM=11500\r\ntemp=550\r\nheats=1.4\r\n"
                 "gasConstant=287\r\nportWindowD=40\r\nportLength=60\r\nportFlangeD=35\r\n"
                 "portToPipe=80\r\nportToMid=400\r\nportToOutlet=\r\nhornCoefficient=0.35\r\n");
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

QTEST_GUILESS_MAIN(TestPipeValuesFile)
#include "tst_pipevaluesfile.moc"
