#include "calcwindowdriver.h"
#include "portareaform.h"

#include <memory>

using namespace calcwindow;
using quorvane::PortAreaForm;

class TestPortAreaForm : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void window_is_the_fixed_size_tool_window();
    void controls_do_not_overlap();
    void captions_fit_their_controls();
    void corner_counts_offer_their_items_with_x2_selected();
    void tab_follows_the_reading_order();
    void buttons_calculate_data();
    void buttons_calculate();
    void calculated_area_reads_back_into_area_to_diameter();
    void results_fit_their_boxes();
    void close_hides_and_keeps_every_value();
    void diagrams_are_drawn();

  private:
    std::unique_ptr<PortAreaForm> m_form;
};

void TestPortAreaForm::init() {
    m_form = std::make_unique<PortAreaForm>();
    ShowActive(m_form.get());
}

void TestPortAreaForm::cleanup() {
    m_form->CloseForGood();
    m_form.reset();
}

void TestPortAreaForm::window_is_the_fixed_size_tool_window() {
    QCOMPARE(m_form->objectName(), "frmPortArea");
    QCOMPARE(m_form->windowTitle(), "Port Area Calculator");
    QCOMPARE(m_form->size(), QSize(545, 560));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(!m_form->parentWidget());
}

void TestPortAreaForm::controls_do_not_overlap() {
    ExpectNoOverlap(m_form.get());
}

void TestPortAreaForm::captions_fit_their_controls() {
    ExpectCaptionsFit(m_form.get());
}

void TestPortAreaForm::corner_counts_offer_their_items_with_x2_selected() {
    auto *one = Find<QComboBox>(m_form.get(), "cmbRadius1Num");
    auto *two = Find<QComboBox>(m_form.get(), "cmbRadius2Num");
    QVERIFY(one && two);
    QStringList items;
    for (int i = 0; i < one->count(); ++i)
        items << one->itemText(i);
    QCOMPARE(items, QStringList({"x 1", "x 2", "x 3", "x 4"}));
    QCOMPARE(two->count(), 2);
    QCOMPARE(two->itemText(1), "x 2");
    QCOMPARE(one->currentText(), "x 2");
    QCOMPARE(two->currentText(), "x 2");
    QVERIFY(!one->isEditable() && !two->isEditable());
}

void TestPortAreaForm::tab_follows_the_reading_order() {
    const QStringList order = {"txtPortWidthFlat", "txtBore",       "cmdExhPortWidthCalc",
                               "txtPortWidth",     "txtPortHeight", "txtPortRad1",
                               "cmbRadius1Num",    "txtPortRad2",   "cmbRadius2Num",
                               "txtSegmentHeight", "txtSegmentRad", "cmdOnlySegment",
                               "txtSegmentOut",    "cmdPortArea",   "cmdPortDiam",
                               "txtPipeArea",      "txtPipeDiam",   "cmdOK",
                               "txtPortWidthFlat"};
    Find<QWidget>(m_form.get(), order.first())->setFocus();
    QStringList visited = {FocusName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << FocusName();
    }
    QCOMPARE(visited, order);
}

void TestPortAreaForm::buttons_calculate_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("focus");
    const QString width = "cmdExhPortWidthCalc", area = "cmdPortArea", diameter = "cmdPortDiam",
                  segment = "cmdOnlySegment";
    const QStringList port = {"txtPortWidth=40", "txtPortHeight=30", "txtPortRad1=5", "txtPortRad2=3"};
    const QStringList staleArea = {"txtPipeArea=1.00", "txtPipeDiam=2.00"};

    QTest::newRow("chordal width of 30 on a bore of 60")
        << QStringList{"txtPortWidthFlat=30", "txtBore=60"} << width << QStringList{"txtPortWidth=28.77"}
        << width;
    QTest::newRow("curved width 0.5 refused")
        << QStringList{"txtPortWidth=12.34", "txtPortWidthFlat=0.5", "txtBore=60"} << width
        << QStringList{"txtPortWidth=12.34"} << "txtPortWidthFlat";
    QTest::newRow("bore 1.5 refused")
        << QStringList{"txtPortWidth=12.34", "txtPortWidthFlat=30", "txtBore=1.5"} << width
        << QStringList{"txtPortWidth=12.34"} << "txtBore";
    QTest::newRow("empty boxes refused, curved width first")
        << QStringList{} << width << QStringList{"txtPortWidth="} << "txtPortWidthFlat";
    QTest::newRow("unreadably large curved width empties the width")
        << QStringList{"txtPortWidth=12.34", "txtPortWidthFlat=1e400", "txtBore=60"} << width
        << QStringList{"txtPortWidth="} << "txtPortWidthFlat";

    QTest::newRow("area with two pairs of corners")
        << port << area << QStringList{"txtPipeArea=1185.41", "txtPipeDiam=38.85"} << area;
    QTest::newRow("area with a curved top edge")
        << port + QStringList{"txtSegmentRad=52", "txtSegmentHeight=4"} << area
        << QStringList{"txtPipeArea=1132.92", "txtPipeDiam=37.98"} << area;
    QTest::newRow("four corners of radius #1")
        << QStringList{"txtPortWidth=40", "txtPortHeight=30", "txtPortRad1=5", "cmbRadius1Num=x 4"} << area
        << QStringList{"txtPipeArea=1178.54", "txtPipeDiam=38.74"} << area;
    QTest::newRow("one corner of radius #2")
        << port + QStringList{"cmbRadius2Num=x 1"} << area
        << QStringList{"txtPipeArea=1187.34", "txtPipeDiam=38.88"} << area;
    QTest::newRow("area of empty boxes")
        << QStringList{} << area << QStringList{"txtPipeArea=0.00", "txtPipeDiam=0.00"} << area;
    QTest::newRow("corners larger than the port: negative area")
        << staleArea + QStringList{"txtPortWidth=4", "txtPortHeight=3", "txtPortRad1=5", "cmbRadius1Num=x 4"}
        << area << QStringList{"txtPipeArea=", "txtPipeDiam="} << "txtPortRad1";
    QTest::newRow("segment higher than twice its radius")
        << staleArea +
               QStringList{"txtPortWidth=40", "txtPortHeight=30", "txtSegmentRad=5", "txtSegmentHeight=11"}
        << area << QStringList{"txtPipeArea=", "txtPipeDiam="} << "txtSegmentHeight";
    QTest::newRow("area overflow") << staleArea + QStringList{"txtPortWidth=1e300", "txtPortHeight=1e300"}
                                   << area << QStringList{"txtPipeArea=", "txtPipeDiam="} << "txtPortWidth";

    QTest::newRow("segment only") << QStringList{"txtSegmentRad=50", "txtSegmentHeight=5"} << segment
                                  << QStringList{"txtSegmentOut=146.81"} << segment;
    QTest::newRow("segment only skipped for radius 0")
        << QStringList{"txtSegmentOut=7.00", "txtSegmentRad=0", "txtSegmentHeight=5"} << segment
        << QStringList{"txtSegmentOut=7.00"} << segment;
    QTest::newRow("segment only, height above twice the radius")
        << QStringList{"txtSegmentOut=7.00", "txtSegmentRad=5", "txtSegmentHeight=11"} << segment
        << QStringList{"txtSegmentOut="} << "txtSegmentHeight";

    QTest::newRow("area of a million to diameter")
        << QStringList{"txtPipeArea=1000000"} << diameter << QStringList{"txtPipeDiam=1,128.38"} << diameter;
    QTest::newRow("grouped area reads up to the separator")
        << QStringList{"txtPipeArea=1,234"} << diameter << QStringList{"txtPipeDiam=1.13"} << diameter;
    QTest::newRow("empty area to diameter")
        << QStringList{} << diameter << QStringList{"txtPipeDiam=0.00"} << diameter;
    QTest::newRow("negative area to diameter") << QStringList{"txtPipeDiam=2.00", "txtPipeArea=-5"}
                                               << diameter << QStringList{"txtPipeDiam="} << "txtPipeArea";
    QTest::newRow("unreadable area to diameter") << QStringList{"txtPipeDiam=2.00", "txtPipeArea=1e400"}
                                                 << diameter << QStringList{"txtPipeDiam="} << "txtPipeArea";
}

void TestPortAreaForm::buttons_calculate() {
    QFETCH(QStringList, entries);
    QFETCH(QString, button);
    QFETCH(QStringList, expected);
    QFETCH(QString, focus);
    Calculate(m_form.get(), entries, button, expected, focus);
}

void TestPortAreaForm::calculated_area_reads_back_into_area_to_diameter() {
    Enter(m_form.get(), {"txtPortWidth=40", "txtPortHeight=30", "txtPortRad1=5", "txtPortRad2=3"});
    Click(m_form.get(), "cmdPortArea");
    ExpectTexts(m_form.get(), {"txtPipeArea=1185.41", "txtPipeDiam=38.85"});
    Find<QLineEdit>(m_form.get(), "txtPipeDiam")->clear();
    Click(m_form.get(), "cmdPortDiam");
    ExpectTexts(m_form.get(), {"txtPipeDiam=38.85"});
}

void TestPortAreaForm::results_fit_their_boxes() {
    Enter(m_form.get(), {"txtPortWidthFlat=30", "txtBore=60", "txtPortHeight=300", "txtSegmentRad=500",
                         "txtSegmentHeight=50", "txtPortRad1=5", "txtPortRad2=3"});
    Click(m_form.get(), "cmdExhPortWidthCalc");
    Click(m_form.get(), "cmdPortArea");
    Click(m_form.get(), "cmdOnlySegment");
    for (const char *name : {"txtPortWidth", "txtPipeArea", "txtPipeDiam", "txtSegmentOut"}) {
        auto *box = Find<QLineEdit>(m_form.get(), name);
        QVERIFY2(!box->text().isEmpty() && ShowsWholeText(box),
                 qPrintable(box->objectName() + "=" + box->text()));
    }
    // A result that fits again is shown in the usual face.
    Enter(m_form.get(), {"txtSegmentRad=50", "txtSegmentHeight=5"});
    Click(m_form.get(), "cmdOnlySegment");
    auto *segment = Find<QLineEdit>(m_form.get(), "txtSegmentOut");
    QCOMPARE(segment->text(), "146.81");
    QCOMPARE(segment->font(), m_form->font());
}

void TestPortAreaForm::close_hides_and_keeps_every_value() {
    Enter(m_form.get(), {"txtPortWidthFlat=30", "txtBore=60", "cmbRadius1Num=x 3"});
    Click(m_form.get(), "cmdExhPortWidthCalc");
    Click(m_form.get(), "cmdOK");
    QVERIFY(!m_form->isVisible());
    ShowActive(m_form.get());
    QVERIFY(!m_form->close()); // the close box hides too
    QVERIFY(!m_form->isVisible());
    ShowActive(m_form.get());
    ExpectTexts(m_form.get(), {"txtPortWidthFlat=30", "txtBore=60", "txtPortWidth=28.77"});
    QCOMPARE(Find<QComboBox>(m_form.get(), "cmbRadius1Num")->currentText(), "x 3");
}

void TestPortAreaForm::diagrams_are_drawn() {
    for (const char *name : {"Picture1", "picSegment"}) {
        auto *picture = Find<QWidget>(m_form.get(), name);
        QVERIFY(picture);
        const InkCount ink = CountInk(picture);
        const int area = picture->width() * picture->height();
        QVERIFY2(ink.dark > 100, name);       // outlines
        QVERIFY2(ink.blue > 40, name);        // dimension lines and letters
        QVERIFY2(ink.white > area / 3, name); // on a white ground
    }
}

QTEST_MAIN(TestPortAreaForm)
#include "tst_portareaform.moc"
