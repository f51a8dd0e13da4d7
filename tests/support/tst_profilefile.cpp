#include "profilefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using quorvane::ProfileFile;

namespace {

QByteArray ReadAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT

  private slots:
    void reads_as_windows_does_data();
    void reads_as_windows_does();
    void writes_as_windows_does_keeping_other_bytes_data();
    void writes_as_windows_does_keeping_other_bytes();
    void missing_file_loads_empty();
    void save_into_missing_folder_fails_with_reason();
    void save_over_folder_fails_and_keeps_it();
    void short_write_is_cancelled_keeping_old_file_data();
    void short_write_is_cancelled_keeping_old_file();

  private:
    QTemporaryDir m_dir;
};

void TestProfileFile::reads_as_windows_does_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("names_in_any_case")
        << QByteArray("[PipeCalcValues]\r\nRPM=9000\r\n") << u"pipecalcVALUES"_s << u"rpm"_s << u"9000"_s;
    QTest::newRow("blanks_around_names_and_values")
        << QByteArray(" \t[ S ] \r\n \tk \t=  v w \t\r\n") << u"S"_s << u"k"_s << u"v w"_s;
    QTest::newRow("double_quotes_removed")
        << QByteArray("[S]\r\nk= \" a \" \r\n") << u"S"_s << u"k"_s << u" a "_s;
    QTest::newRow("single_quotes_removed") << QByteArray("[S]\r\nk='a'\r\n") << u"S"_s << u"k"_s << u"a"_s;
    QTest::newRow("one_pair_of_quotes_removed")
        << QByteArray("[S]\r\nk=\"\"a\"\"\r\n") << u"S"_s << u"k"_s << u"\"a\""_s;
    QTest::newRow("mismatched_quotes_kept")
        << QByteArray("[S]\r\nk=\"a'\r\n") << u"S"_s << u"k"_s << u"\"a'"_s;
    QTest::newRow("lone_quote_kept") << QByteArray("[S]\r\nk=\"\r\n") << u"S"_s << u"k"_s << u"\""_s;
    QTest::newRow("value_after_first_equals")
        << QByteArray("[S]\r\nk=a=b\r\n") << u"S"_s << u"k"_s << u"a=b"_s;
    QTest::newRow("first_duplicate_key_wins")
        << QByteArray("[S]\r\nk=1\r\nK=2\r\n") << u"S"_s << u"k"_s << u"1"_s;
    QTest::newRow("first_duplicate_section_wins")
        << QByteArray("[S]\r\nk=1\r\n[S]\r\nk=2\r\n") << u"S"_s << u"k"_s << u"1"_s;
    QTest::newRow("later_duplicate_section_not_searched")
        << QByteArray("[S]\r\na=1\r\n[s]\r\nk=2\r\n") << u"S"_s << u"k"_s << u""_s;
    QTest::newRow("key_of_next_section_not_found")
        << QByteArray("[S]\r\n[T]\r\nk=v\r\n") << u"S"_s << u"k"_s << u""_s;
    QTest::newRow("key_before_any_section_not_found")
        << QByteArray("k=v\r\n[S]\r\n") << u"S"_s << u"k"_s << u""_s;
    QTest::newRow("missing_section") << QByteArray("[T]\r\nk=v\r\n") << u"S"_s << u"k"_s << u""_s;
    QTest::newRow("lf_line_ends") << QByteArray("[S]\nk=v\nm=w\n") << u"S"_s << u"m"_s << u"w"_s;
    QTest::newRow("cr_line_ends") << QByteArray("[S]\rk=v\rm=w\r") << u"S"_s << u"m"_s << u"w"_s;
    QTest::newRow("mixed_line_ends") << QByteArray("[S]\r\na=1\nb=2\rk=v") << u"S"_s << u"k"_s << u"v"_s;
    QTest::newRow("latin1_bytes") << QByteArray("[S]\r\nk=\xE9t\xE9\r\n") << u"S"_s << u"k"_s << u"été"_s;
    QTest::newRow("long_value_cut_to_127")
        << QByteArray("[S]\r\nk=") + QByteArray(127, 'a') + QByteArray(73, 'b') << u"S"_s << u"k"_s
        << QString(127, u'a');
    QTest::newRow("long_quoted_value_cut_after_unquoting")
        << QByteArray("[S]\r\nk=\"") + QByteArray(198, 'a') + "\"" << u"S"_s << u"k"_s << QString(127, u'a');
}

void TestProfileFile::reads_as_windows_does() {
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const QString path = m_dir.filePath(QStringLiteral("read.ini"));
    QVERIFY(WriteAll(path, content));
    QCOMPARE(quorvane::ReadIniValue(section, key, path), expected);
}

void TestProfileFile::writes_as_windows_does_keeping_other_bytes_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("existing_key_keeps_place_and_spelling")
        << QByteArray("[S]\r\n  Key = old \r\nz=1\r\n") << u"key"_s << u"new"_s
        << QByteArray("[S]\r\nKey=new\r\nz=1\r\n");
    QTest::newRow("existing_key_keeps_its_line_end")
        << QByteArray("[S]\na=1\nk=old\rz=1") << u"k"_s << u"v"_s << QByteArray("[S]\na=1\nk=v\rz=1");
    QTest::newRow("unterminated_key_stays_unterminated")
        << QByteArray("[S]\r\nk=old") << u"k"_s << u"v"_s << QByteArray("[S]\r\nk=v");
    QTest::newRow("first_duplicate_key_changed")
        << QByteArray("[S]\r\nk=1\r\nk=2\r\n") << u"k"_s << u"v"_s << QByteArray("[S]\r\nk=v\r\nk=2\r\n");
    QTest::newRow("section_matched_in_any_case")
        << QByteArray("[s]\nk=1\n") << u"K"_s << u"v"_s << QByteArray("[s]\nk=v\n");
    QTest::newRow("new_key_after_last_key_not_after_trailing_lines")
        << QByteArray("[S]\r\na=1\r\n\r\n; note\r\n[T]\r\n") << u"k"_s << u"v"_s
        << QByteArray("[S]\r\na=1\r\nk=v\r\n\r\n; note\r\n[T]\r\n");
    QTest::newRow("new_key_right_after_header_of_keyless_section")
        << QByteArray("[S]\r\n;k=old\r\n\r\n[T]\r\n") << u"k"_s << u"v"_s
        << QByteArray("[S]\r\nk=v\r\n;k=old\r\n\r\n[T]\r\n");
    QTest::newRow("new_key_after_unterminated_last_line")
        << QByteArray("[S]\r\na=1") << u"k"_s << u"v"_s << QByteArray("[S]\r\na=1\r\nk=v\r\n");
    QTest::newRow("new_key_in_first_duplicate_section")
        << QByteArray("[S]\na=1\n[S]\nk=old\n") << u"k"_s << u"v"_s
        << QByteArray("[S]\na=1\nk=v\r\n[S]\nk=old\n");
    QTest::newRow("new_section_at_end")
        << QByteArray("[T]\nb=2\n") << u"k"_s << u"v"_s << QByteArray("[T]\nb=2\n[S]\r\nk=v\r\n");
    QTest::newRow("new_section_after_unterminated_last_line")
        << QByteArray("[T]\rb=2") << u"k"_s << u"v"_s << QByteArray("[T]\rb=2\r\n[S]\r\nk=v\r\n");
    QTest::newRow("new_section_in_empty_file")
        << QByteArray("") << u"k"_s << u"v"_s << QByteArray("[S]\r\nk=v\r\n");
    QTest::newRow("empty_value_written_bare")
        << QByteArray("[S]\r\nk=old\r\n") << u"k"_s << u""_s << QByteArray("[S]\r\nk=\r\n");
    QTest::newRow("value_written_untrimmed")
        << QByteArray("[S]\r\n") << u"k"_s << u" v "_s << QByteArray("[S]\r\nk= v \r\n");
    QTest::newRow("latin1_value_written_as_bytes")
        << QByteArray("[S]\r\n") << u"k"_s << u"5°"_s << QByteArray("[S]\r\nk=5\xB0\r\n");
}

void TestProfileFile::writes_as_windows_does_keeping_other_bytes() {
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    const QString path = m_dir.filePath(QStringLiteral("write.ini"));
    QVERIFY(WriteAll(path, before));
    QString error;
    QVERIFY2(quorvane::WriteIniValue(QStringLiteral("S"), key, value, path, &error), qPrintable(error));
    QCOMPARE(ReadAll(path), after);
}

void TestProfileFile::missing_file_loads_empty() {
    const QString path = m_dir.filePath(QStringLiteral("absent.ini"));
    ProfileFile file;
    file.setBytes("[S]\r\nk=v\r\n");
    QString error;
    QVERIFY(file.load(path, &error));
    QVERIFY(error.isEmpty());
    QVERIFY(file.bytes().isEmpty());
    QCOMPARE(quorvane::ReadIniValue(QStringLiteral("S"), QStringLiteral("k"), path), QString());
}

void TestProfileFile::save_into_missing_folder_fails_with_reason() {
    const QString path = m_dir.filePath(QStringLiteral("no-such-folder/pipe.ini"));
    QString error;
    QVERIFY(!quorvane::WriteIniValue(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"), path,
                                     &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(path));
}

void TestProfileFile::save_over_folder_fails_and_keeps_it() {
    const QString path = m_dir.filePath(QStringLiteral("folder.ini"));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder.ini")));
    QVERIFY(WriteAll(path + QStringLiteral("/inside.txt"), "kept"));
    ProfileFile file;
    file.setValue(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
    QString error;
    QVERIFY(!file.save(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(ReadAll(path + QStringLiteral("/inside.txt")), QByteArray("kept"));
}

void TestProfileFile::short_write_is_cancelled_keeping_old_file_data() {
    QTest::addColumn<int>("written");
    QTest::newRow("nothing_written") << 0;
    QTest::newRow("part_written") << 7;
    QTest::newRow("write_failed") << -1;
}

void TestProfileFile::short_write_is_cancelled_keeping_old_file() {
    QFETCH(int, written);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pipe.ini"));
    const QByteArray old("; old\r\n[S]\r\nk=old\r\n");
    QVERIFY(WriteAll(path, old));
    ProfileFile file;
    QVERIFY(file.load(path));
    file.setValue(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("new"));
    file.setWriteFunction([written](QIODevice &device, const QByteArray &bytes) {
        return written < 0 ? qint64(-1) : device.write(bytes.left(written));
    });
    QString error;
    QVERIFY(!file.save(path, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(ReadAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("pipe.ini")});
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
