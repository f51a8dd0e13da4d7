// SPDX-License-Identifier: GPL-3.0-or-later
#include "calcwindowdriver.h"
#include "lookandfeel.h"
#include "plotform.h"

#include <QPlainTextEdit>
#include <QRadioButton>

using namespace calcwindow;
using namespace quorvane;

namespace {

const QStringList kBoxes = {"txtD1", "txtD2", "txtLenConeInput", "txtSheetThick"};

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
            Type(m_form.get(), kBoxes[i], baseTipLengthThickness.section('|', i, i));
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
        m_state.pipeCalculated = true; // calculating alone offers nothing
        QVERIFY(Option(0)->isChecked() && !Option(1)->isEnabled());
        QTest::mouseClick(Option(1), Qt::LeftButton);
        QVERIFY(Option(0)->isChecked());
        m_form->EnableBatch();
        QVERIFY(Option(1)->isEnabled() && Option(1)->isChecked() && !Option(0)->isChecked());
    }

    void worked_examples_data() { examples::AddRows({"flatcone"}, "window"); }
    void worked_examples() {
        QFETCH(examples::Case, example);
        TypeCone("120|80|150|1.5"); // a report stands, and every press must start afresh
        Press();
        QVERIFY(!Report().isEmpty());
        const QStringList inputs = {"base", "tip", "height", "thickness"};
        for (int i = 0; i < 4; ++i)
            Type(m_form.get(), kBoxes[i], example.inputs.value(inputs[i]));
        // A refused box, or one too large to read, is red and focused, and nothing is shown.
        const QString blamed = example.outputs.value("refused", example.outputs.value("failed"));
        const QString box = blamed.isEmpty() ? QString() : kBoxes[inputs.indexOf(blamed)];
        for (int press = 0; press < 2; ++press) { // the second press gives the same
            Press();
            const QString report = example.outputs.value("report", example.outputs.value("why"));
            QVERIFY2(examples::Matches(Report(), box.isEmpty() ? report : QString()), qPrintable(Report()));
            QCOMPARE(Red(), box.isEmpty() ? QStringList() : QStringList{box});
            QCOMPARE(QApplication::focusWidget()->objectName(), box.isEmpty() ? "cmdPlot" : box);
        }
        const QString report = Report();
        CloseAndReopen(m_form.get(), "cmdClose"); // the window keeps the typed values and the report
        for (int i = 0; i < 4; ++i)
            QCOMPARE(Box(kBoxes[i])->text(), example.inputs.value(inputs[i]));
        QCOMPARE(Report(), report);
        Box(box.isEmpty() ? kBoxes[0] : box)->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), "9"); // typing into a red box restores its colour
        for (const QString &name : kBoxes)
            QCOMPARE(Background(Box(name)), Background(m_form->findChild<QPlainTextEdit *>("txtOutput")));
    }

    void batch_reads_the_last_calculation_at_the_press() {
        m_form->EnableBatch();
        TypeCone("0.5||abc|1.5"); // the single-plot boxes are not read
        Press();
        QCOMPARE(Report(), ""); // no calculation yet
        QVERIFY(Red().isEmpty());
        m_state.coneList[3] = {"Cone L6", 130, 24, 213.43};
        Press();
        QVERIFY(Report().startsWith("Cone L6\nBase = 130.00 ID\nTip = 24.00 ID\nHeight = 213.43\nA = "));
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
