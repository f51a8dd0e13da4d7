#include "calcwindowdriver.h"
#include "inputcalcform.h"

#include <QSignalSpy>

using namespace calcwindow;

class TestInputCalcForm : public QObject {
    Q_OBJECT
    std::unique_ptr<quorvane::InputCalcForm> m_form;
    QLineEdit *Box(const QString &name) { return m_form->findChild<QLineEdit *>(name); }

  private slots:
    void init() {
        m_form = std::make_unique<quorvane::InputCalcForm>();
        ShowActive(m_form.get());
    }

    void buttons_calculate_or_refuse_data() {
        QTest::addColumn<QStringList>("row");
        const QString timing = "cmdExTiming", bmep = "cmdCalcExTemp";
        const QString engine = "txtPTstroke=54 txtPTlengthCR=110 ",
                      stale = "txtPTExh=1.00 txtExhPortHeight=2.00";
        const QString bmepStale = "txtBMEPout=5.00", emptied = "txtPTExh= txtExhPortHeight=";
        CalcRow("timing, piston level with the deck", engine + "txtPTdeck=0 txtExhPortTop=27", timing,
                "txtPTExh=194.10 txtExhPortHeight=27.00");
        CalcRow("timing, piston 0.5 below the deck", engine + "txtPTdeck=0.5 txtExhPortTop=27", timing,
                "txtPTExh=196.17 txtExhPortHeight=27.00");
        CalcRow("timing with the deck box's default 0", engine + "txtExhPortTop=27", timing,
                "txtPTExh=194.10 txtExhPortHeight=27.00");
        CalcRow("a typed port height is overwritten", "txtExhPortHeight=99 " + engine + "txtExhPortTop=27",
                timing, "txtExhPortHeight=27.00");
        CalcRow("stroke 0.5 refused", stale + " txtPTstroke=0.5 txtPTlengthCR=110 txtExhPortTop=27", timing,
                stale, "txtPTstroke");
        CalcRow("empty rod length refused", stale + " txtPTstroke=54 txtExhPortTop=27", timing, stale,
                "txtPTlengthCR");
        CalcRow("port top 0 refused, a negative deck accepted",
                stale + " " + engine + "txtPTdeck=-5 txtExhPortTop=0", timing, stale, "txtExhPortTop");
        CalcRow("port top level with the pin divides by zero",
                stale + " " + engine + "txtPTdeck=0 txtExhPortTop=137", timing, emptied, "txtExhPortTop");
        CalcRow("huge stroke overflows", stale + " txtPTstroke=1e300 txtPTlengthCR=110 txtExhPortTop=27",
                timing, emptied, "txtPTstroke");

        const QString cylinder = " txtBoreBMEP=54 txtStrokeBMEP=54.5";
        CalcRow("BMEP at 30 kW", "txtPwrKW=30 txtRPM=11000" + cylinder, bmep, "txtBMEPout=13.11");
        CalcRow("BMEP at 20 kW", "txtPwrKW=20 txtRPM=10000" + cylinder, bmep, "txtBMEPout=9.61");
        CalcRow("empty boxes refused, power first", bmepStale, bmep, bmepStale, "txtPwrKW");
        CalcRow("letters for the speed refused", bmepStale + " txtPwrKW=30 txtRPM=fast" + cylinder, bmep,
                bmepStale, "txtRPM");
        CalcRow("bore 0 refused", bmepStale + " txtPwrKW=30 txtRPM=11000 txtBoreBMEP=0 txtStrokeBMEP=54.5",
                bmep, bmepStale, "txtBoreBMEP");
        CalcRow("stroke 0.9 refused",
                bmepStale + " txtPwrKW=30 txtRPM=11000 txtBoreBMEP=54 txtStrokeBMEP=0.9", bmep, bmepStale,
                "txtStrokeBMEP");
        CalcRow("huge power overflows", bmepStale + " txtPwrKW=1e308 txtRPM=1 txtBoreBMEP=1 txtStrokeBMEP=1",
                bmep, "txtBMEPout=", "txtPwrKW");
    }

    void buttons_calculate_or_refuse() { Calculate(m_form.get()); }
    void typing_converts_into_the_other_box_data() {
        QTest::addColumn<QString>("typedAndConverted");
        // Thousands are grouped for temperatures only.
        QTest::newRow("100 C") << "txtConvCF(0)=100 txtConvCF(1)=212.000";
        QTest::newRow("1000 C") << "txtConvCF(0)=1000 txtConvCF(1)=1,832.000";
        QTest::newRow("-40 C") << "txtConvCF(0)=-40 txtConvCF(1)=-40.000";
        QTest::newRow("212 F") << "txtConvCF(1)=212 txtConvCF(0)=100.000";
        QTest::newRow("4000 F") << "txtConvCF(1)=4000 txtConvCF(0)=2,204.444";
        QTest::newRow("10 kW") << "txtConvKwHP(0)=10 txtConvKwHP(1)=13.410";
        QTest::newRow("1000 kW") << "txtConvKwHP(0)=1000 txtConvKwHP(1)=1341.022";
        QTest::newRow("10 HP") << "txtConvKwHP(1)=10 txtConvKwHP(0)=7.457";
        QTest::newRow("25.4 mm") << "txtConvMMInch(0)=25.4 txtConvMMInch(1)=1.000";
        QTest::newRow("1000 inch") << "txtConvMMInch(1)=1000 txtConvMMInch(0)=25400.000";
        QTest::newRow("too wide for any face: its start shows")
            << "txtConvCF(0)=1e10 txtConvCF(1)=18,000,000,032.000";
        QTest::newRow("letters convert as 0") << "txtConvMMInch(0)=abc txtConvMMInch(1)=0.000";
        // A conversion that cannot be made leaves the other box empty, not showing the earlier one.
        QTest::newRow("too hot to convert") << "txtConvCF(0)=1e308 txtConvCF(1)=";
        QTest::newRow("unreadably long") << "txtConvMMInch(1)=1e400 txtConvMMInch(0)=";
        // A cleared box converts as 0.
        QTest::newRow("Celsius cleared") << "txtConvCF(0)= txtConvCF(1)=32.000";
        QTest::newRow("Fahrenheit cleared") << "txtConvCF(1)= txtConvCF(0)=-17.778";
        QTest::newRow("kW cleared") << "txtConvKwHP(0)= txtConvKwHP(1)=0.000";
        QTest::newRow("inch cleared") << "txtConvMMInch(1)= txtConvMMInch(0)=0.000";
    }

    void typing_converts_into_the_other_box() {
        QFETCH(QString, typedAndConverted);
        const QString typed = Entries(typedAndConverted).first();
        Enter(m_form.get(), typed.section('=', 0, 0) + "=7"); // an earlier entry
        Enter(m_form.get(), typed);
        Expect(m_form.get(), typedAndConverted);
    }

    void the_written_box_does_not_convert_back() {
        QSignalSpy celsiusChanges(Box("txtConvCF(0)"), &QLineEdit::textChanged);
        QSignalSpy fahrenheitChanges(Box("txtConvCF(1)"), &QLineEdit::textChanged);
        Enter(m_form.get(), "txtConvCF(1)=212");
        // One change per key in each box: converting back would have rewritten 212 as 212.000.
        Expect(m_form.get(), "txtConvCF(0)=100.000 txtConvCF(1)=212");
        QCOMPARE(fahrenheitChanges.count(), 3);
        QCOMPARE(celsiusChanges.count(), 3);
    }

    void only_the_box_that_last_had_the_focus_converts() {
        // No box has had the focus yet: the first box of each pair is the recorded one.
        Box("txtConvCF(1)")->setText("212");
        Expect(m_form.get(), "txtConvCF(0)=");
        Box("txtConvCF(0)")->setText("100");
        Expect(m_form.get(), "txtConvCF(1)=212.000");
        // The pair remembers its box while the focus works elsewhere; each pair keeps its own record.
        Enter(m_form.get(), "txtConvCF(1)=32 txtPwrKW=30");
        Box("txtConvCF(0)")->setText("55");
        Expect(m_form.get(), "txtConvCF(1)=32");
        Box("txtConvCF(1)")->setText("50");
        Box("txtConvKwHP(0)")->setText("10");
        Expect(m_form.get(), "txtConvCF(0)=10.000 txtConvKwHP(1)=13.410");
    }

    void close_hides_and_keeps_values_and_recorded_focus() {
        Enter(m_form.get(), "txtPTstroke=54 txtPTlengthCR=110 txtExhPortTop=27 txtConvMMInch(1)=2");
        QTest::mouseClick(m_form->findChild<QPushButton *>("cmdExTiming"), Qt::LeftButton);
        CloseAndReopen(m_form.get(), "cmdOK");
        Expect(m_form.get(), "txtPTExh=194.10 txtExhPortHeight=27.00 txtConvMMInch(0)=50.800");
        Box("txtConvMMInch(1)")->setText("3");
        Expect(m_form.get(), "txtConvMMInch(0)=76.200");
    }
};

QTEST_MAIN(TestInputCalcForm)
#include "tst_inputcalcform.moc"
