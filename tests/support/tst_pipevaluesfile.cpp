// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipevaluesfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPipeValuesFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const quorvane::PipeValueTexts m_sample = {u"190"_s, u"11500"_s, u"550"_s, u"1.4"_s, u"287"_s, u"40"_s,
                                               u"60"_s,  u"35"_s,    u"80"_s,  u"400"_s, u""_s,    u"0.35"_s};

  private slots:
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
