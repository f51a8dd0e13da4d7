#include "pipevaluesfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using quorvane::PipeValueTexts;

namespace {

QByteArray ReadAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

PipeValueTexts Sample() {
    return {u"190"_s, u"11500"_s, u"550"_s, u"1.4"_s, u"287"_s, u"40"_s,
            u"60"_s,  u"35"_s,    u"80"_s,  u"400"_s, u""_s,    u"0.35"_s};
}

const QByteArray kSampleLines("timing=190\r\nRPM=11500\r\ntemp=550\r\nheats=1.4\r\ngasConstant=287\r\n"
                              "portWindowD=40\r\nportLength=60\r\nportFlangeD=35\r\nportToPipe=80\r\n"
                              "portToMid=400\r\nportToOutlet=\r\nhornCoefficient=0.35\r\n");

} // namespace

class TestPipeValuesFile : public QObject {
    Q_OBJECT

  private slots:
    void new_file_holds_the_section_and_twelve_lines_in_order();
    void saving_into_existing_file_keeps_every_other_byte();
    void reads_back_what_was_written_data();
    void reads_back_what_was_written();
    void reads_keys_in_any_case_and_order();
    void missing_file_reads_as_nothing();
    void folder_fails_to_read_and_write();
    void adds_txt_unless_a_three_letter_extension_data();
    void adds_txt_unless_a_three_letter_extension();

  private:
    QTemporaryDir m_dir;
};

void TestPipeValuesFile::new_file_holds_the_section_and_twelve_lines_in_order() {
    const QString path = m_dir.filePath(u"new.txt"_s);
    QString error;
    QVERIFY2(quorvane::WritePipeValues(path, Sample(), &error), qPrintable(error));
    QCOMPARE(ReadAll(path), "[PipeCalcValues]\r\n" + kSampleLines);
}

void TestPipeValuesFile::saving_into_existing_file_keeps_every_other_byte() {
    const QString path = m_dir.filePath(u"existing.txt"_s);
    const QByteArray head(
        "; pipe for the \xE9t\xE9 race\r\n\r\n[Window]\nleft = 10\n[pipecalcvalues]\r  Timing = 180\r"
        "unknownKey=kept\r\nRPM=\"9000\"\r\n");
    const QByteArray tail("\r\n; tuned\r\n[PipeCalcValues]\rtemp=1\r[Other]\r\nx=1");
    QVERIFY(WriteAll(path, head + tail));
    QString error;
    QVERIFY2(quorvane::WritePipeValues(path, Sample(), &error), qPrintable(error));
    const QByteArray expected(
        "; pipe for the \xE9t\xE9 race\r\n\r\n[Window]\nleft = 10\n[pipecalcvalues]\rTiming=190\r"
        "unknownKey=kept\r\nRPM=11500\r\n");
    QCOMPARE(ReadAll(path), expected + kSampleLines.sliced(kSampleLines.indexOf("temp")) + tail);
}

void TestPipeValuesFile::reads_back_what_was_written_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("number") << u"11500"_s << true << u"11500"_s;
    QTest::newRow("padding_trimmed") << u" 0.35 "_s << true << u"0.35"_s;
    QTest::newRow("latin1_kept") << u"5 °C"_s << true << u"5 °C"_s;
    QTest::newRow("empty_reads_as_nothing") << QString() << false << QString();
    QTest::newRow("blank_reads_as_nothing") << u"   "_s << false << QString();
    QTest::newRow("empty_quotes_read_as_nothing") << u"\"\""_s << false << QString();
}

void TestPipeValuesFile::reads_back_what_was_written() {
    QFETCH(QString, text);
    QFETCH(bool, present);
    QFETCH(QString, readBack);
    const QString path = m_dir.filePath(u"roundtrip.txt"_s);
    PipeValueTexts texts = Sample();
    texts[5] = text;
    QVERIFY(quorvane::WritePipeValues(path, texts));
    const auto readings = quorvane::ReadPipeValues(path);
    QVERIFY(readings);
    QCOMPARE((*readings)[5].has_value(), present);
    QCOMPARE((*readings)[5].value_or(QString()), readBack);
    QCOMPARE((*readings)[11].value_or(QString()), u"0.35"_s);
}

void TestPipeValuesFile::reads_keys_in_any_case_and_order() {
    const QString path = m_dir.filePath(u"order.txt"_s);
    QVERIFY(WriteAll(path, "[PIPECALCVALUES]\nHORNCOEFFICIENT=0.35\nrpm=11500\n TIMING = 190 \n"));
    const auto readings = quorvane::ReadPipeValues(path);
    QVERIFY(readings);
    for (std::size_t i = 0; i < readings->size(); ++i) {
        const QString expected = i == 0 ? u"190"_s : i == 1 ? u"11500"_s : i == 11 ? u"0.35"_s : QString();
        QCOMPARE((*readings)[i].value_or(QString()), expected);
    }
}

void TestPipeValuesFile::missing_file_reads_as_nothing() {
    QString error;
    const auto readings = quorvane::ReadPipeValues(m_dir.filePath(u"absent.txt"_s), &error);
    QVERIFY(readings);
    QVERIFY(error.isEmpty());
    for (const auto &reading : *readings)
        QVERIFY(!reading);
}

void TestPipeValuesFile::folder_fails_to_read_and_write() {
    QString readError;
    QVERIFY(!quorvane::ReadPipeValues(m_dir.path(), &readError));
    QVERIFY(!readError.isEmpty());
    QString writeError;
    QVERIFY(!quorvane::WritePipeValues(m_dir.path(), Sample(), &writeError));
    QVERIFY(!writeError.isEmpty());
    QVERIFY(QFileInfo(m_dir.path()).isDir());
}

void TestPipeValuesFile::adds_txt_unless_a_three_letter_extension_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no_extension") << u"/home/me/pipe"_s << u"/home/me/pipe.txt"_s;
    QTest::newRow("dat_kept") << u"pipe.dat"_s << u"pipe.dat"_s;
    QTest::newRow("ini_kept") << u"pipe.ini"_s << u"pipe.ini"_s;
    QTest::newRow("four_letter_extension") << u"pipe.text"_s << u"pipe.text.txt"_s;
    QTest::newRow("two_letter_extension") << u"pipe.tx"_s << u"pipe.tx.txt"_s;
    QTest::newRow("dot_in_folder_only") << u"my.pipes/pipe"_s << u"my.pipes/pipe.txt"_s;
    QTest::newRow("shorter_than_four") << u"a.b"_s << u"a.b.txt"_s;
    QTest::newRow("only_an_extension") << u".txt"_s << u".txt"_s;
}

void TestPipeValuesFile::adds_txt_unless_a_three_letter_extension() {
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(quorvane::WithPipeExtension(path), expected);
}

QTEST_GUILESS_MAIN(TestPipeValuesFile)
#include "tst_pipevaluesfile.moc"
