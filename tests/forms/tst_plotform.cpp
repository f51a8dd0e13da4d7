#include "calcwindowdriver.h"
#include "flatcone.h"
#include "lookandfeel.h"
#include "numeric.h"
#include "plotform.h"

#include <QPlainTextEdit>
#include <QRadioButton>

using namespace calcwindow;
using namespace quorvane;

namespace {

const QStringList kBoxes = {"txtD1", "txtD2", "txtLenConeInput", "txtSheetThick"};

// The main window's worked example, calculated as its Pipe Calc would.
DesignState CalculatedExample() {
    const PipeTexts texts = {"190", "10000", "500",  "1.36", "300", "40",
                             "30",  "38",    "1.05", "3.25", "0.6", "1.25"};
    return {ConeListOf(ComputeChamber(ParsePipeInputs(texts, false))), true};
}

} // namespace

class TestPlotForm : public QObject {
    Q_OBJECT
    DesignState m_state;
    std::unique_ptr<PlotForm> m_form;

    QLineEdit *Box(const QString &name) const { return m_form->findChild<QLineEdit *>(name); }
    QRadioButton *Option(int i) { return m_form->findChild<QRadioButton *>(QString("optPlot(%1)").arg(i)); }
    QString Report() const { return m_form->findChild<QPlainTextEdit *>("txtOutput")->toPlainText(); }
    void Press() { QTest::mouseClick(m_form->findChild<QPushButton *>("cmdPlot"), Qt::LeftButton); }
    void TypeCone(const QString &baseTipLengthThickness) {
        for (int i = 0; i < 4; ++i)
            Enter(m_form.get(), kBoxes[i] + '=' + baseTipLengthThickness.section('|', i, i));
    }
    QStringList Red() const {
        QStringList red = kBoxes;
        red.removeIf([this](const QString &name) { return Background(Box(name)) != kRejectedRed; });
        return red;
    }

  private slots:
    void init() {
        m_state = DesignState{};
        m_form = std::make_unique<PlotForm>(m_state);
        ShowActive(m_form.get());
    }

    void batch_is_offered_and_selected_only_by_enable_batch() {
        m_state = CalculatedExample(); // calculating alone offers nothing
        QVERIFY(Option(0)->isChecked() && !Option(1)->isEnabled());
        QTest::mouseClick(Option(1), Qt::LeftButton);
        QVERIFY(Option(0)->isChecked());
        m_form->EnableBatch();
        QVERIFY(Option(1)->isEnabled() && Option(1)->isChecked() && !Option(0)->isChecked());
    }

    void single_plot_reports_or_refuses_data() {
        QTest::addColumn<QString>("texts");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QString>("report");
        const auto row = [](const char *name, const char *texts, const char *refused, const QString &report) {
            QTest::newRow(name) << QString(texts) << QString(refused) << report;
        };
        const QString example = "Cone\nBase = 120.00 ID\nTip = 80.00 ID\nHeight = 150.00\n"
                                "A = 374.86\nB = 252.76\nC = 302.65\nD = 453.98";
        const QString bare = QString(example).replace("A = 374.86\nB = 252.76", "A = 366.25\nB = 244.17");
        row("worked example", "120|80|150|1.5", "", example);
        row("thickness 0", "120|80|150|0", "", bare);
        row("letters for a thickness count as 0", "120|80|150|abc", "", bare);
        row("a blank thickness counts as 0", "120|80|150| ", "", bare);
        row("cylinder: the outside circumference by the length", "60|60|100|1", "",
            "Cone\nBase = 60.00 ID\nTip = 60.00 ID\nHeight = 100.00\nCylinder: cut a rectangle\n"
            "Width = 194.78\nLength = 100.00");
        row("tip 1 and length 1 pass", "1.5|1|1|0", "",
            "Cone\nBase = 1.50 ID\nTip = 1.00 ID\nHeight = 1.00\nA = 4.27\nB = 2.85\nC = 2.06\nD = 3.09");
        // The first box below 1, or too large to read, is refused: red and focused, nothing shown.
        row("base 0.5", "0.5|80|150|1", "txtD1", "");
        row("base empty", "|80|150|1", "txtD1", "");
        row("base too large to read", "1e400|80|150|1", "txtD1", "");
        row("base checked first", "0|0|0|", "txtD1", "");
        row("tip 0.99", "120|0.99|150|1", "txtD2", "");
        row("tip before length", "120|||", "txtD2", "");
        row("length 0", "120|80|0|1", "txtLenConeInput", "");
        row("length before thickness", "120|80||", "txtLenConeInput", "");
        row("thickness empty", "120|80|150|", "txtSheetThick", "");
        // Numbers too large show why, never nan or inf.
        row("thickness too large to read", "120|80|150|1e400", "", "The number is too large: 1e400");
        const QString tooLarge = ArithmeticFailure(Failure::NumbersTooLarge).what();
        row("cone overflows", "1e300|1|1e300|1", "", tooLarge);
        row("thickness overflows the arc", "120|80|150|1e308", "", tooLarge);
    }

    void single_plot_reports_or_refuses() {
        QFETCH(QString, texts);
        QFETCH(QString, refused);
        QFETCH(QString, report);
        TypeCone("120|80|150|1.5"); // a report stands, and every press must start afresh
        Press();
        QVERIFY(!Report().isEmpty());
        TypeCone(texts);
        for (int press = 0; press < 2; ++press) { // the second press gives the same
            Press();
            QCOMPARE(Report(), report);
            QCOMPARE(Red(), refused.isEmpty() ? QStringList() : QStringList{refused});
            QCOMPARE(QApplication::focusWidget()->objectName(), refused.isEmpty() ? "cmdPlot" : refused);
        }
        QTest::keyClicks(QApplication::focusWidget(), "9"); // typing into a red box restores its colour
        for (const QString &name : kBoxes)
            QCOMPARE(Background(Box(name)), Background(m_form->findChild<QPlainTextEdit *>("txtOutput")));
    }

    void batch_plots_the_four_cones_of_the_last_calculation() {
        m_form->EnableBatch();
        TypeCone("0.5||abc|1.5"); // the single-plot boxes are not read
        Press();
        QCOMPARE(Report(), ""); // no calculation yet
        QVERIFY(Red().isEmpty());
        m_state = CalculatedExample(); // read at the press
        // Base, tip and height as the worked example shows them; the pattern of the full-precision cone.
        QStringList blocks = {"Cone L2\nBase = 67.54 ID\nTip = 42.00 ID\nHeight = 244.55",
                              "Cone L3\nBase = 103.18 ID\nTip = 67.54 ID\nHeight = 162.74",
                              "Cone L4\nBase = 130.00 ID\nTip = 103.18 ID\nHeight = 81.81",
                              "Cone L6\nBase = 130.00 ID\nTip = 24.00 ID\nHeight = 213.43"};
        const auto fix = [](double v) { return QString::fromStdString(FormatFixed(v, 2)); };
        for (int i = 0; i < 4; ++i) {
            const ConeRecord &c = m_state.coneList[std::size_t(i)];
            const FlatCone f = FlattenCone(c.baseDiameter, c.tipDiameter, c.centreLength, 1.5);
            blocks[i] += "\nA = " + fix(f.outerChord) + "\nB = " + fix(f.innerChord) +
                         "\nC = " + fix(f.innerRadius) + "\nD = " + fix(f.outerRadius);
        }
        for (int press = 0; press < 2; ++press) { // the second press gives the same
            Press();
            QCOMPARE(Report(), blocks.join("\n\n")); // one empty line between blocks, none after the last
        }
        Enter(m_form.get(), "txtSheetThick="); // an empty thickness is refused here too
        Press();
        QCOMPARE(Report(), "");
        QCOMPARE(Red(), QStringList{"txtSheetThick"});
        QCOMPARE(QApplication::focusWidget(), Box("txtSheetThick"));
    }

    void the_two_options_are_one_tab_stop() {
        m_form->EnableBatch();
        Box("txtSheetThick")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Option(1));
        QTest::keyClick(Option(1), Qt::Key_Up); // the arrow keys move the choice and the stop
        QTest::keyClick(Option(0), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QVERIFY(Option(0)->isChecked() && Option(0)->hasFocus());
    }

    void close_hides_and_keeps_the_values() {
        TypeCone("120|80|150|1.5");
        Press();
        const QString report = Report();
        CloseAndReopen(m_form.get(), "cmdClose");
        Expect(m_form.get(), "txtD1=120 txtD2=80 txtLenConeInput=150 txtSheetThick=1.5");
        QCOMPARE(Report(), report);
    }

    void picture_draws_a_black_sector_and_blue_dimensions() {
        QWidget *picture = m_form->findChild<QWidget *>("picConePlot");
        const int w = picture->width(), h = picture->height();
        const auto [dark, blue] = Ink(picture);
        QVERIFY(dark > w * h / 10 && dark < w * h / 2 && blue > 1500);
        // The large arc is at the top, so the sector's weight lies in the upper half; white where bare.
        QVERIFY(Ink(picture, QRect(0, 0, w, h / 2)).first > dark / 2);
        QCOMPARE(picture->grab().toImage().pixelColor(w - 12, h - 12), QColor(Qt::white));
    }
};

QTEST_MAIN(TestPlotForm)
#include "tst_plotform.moc"
