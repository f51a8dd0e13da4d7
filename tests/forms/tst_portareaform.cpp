#include "calcwindowdriver.h"
#include "portareaform.h"

using namespace calcwindow;

class TestPortAreaForm : public QObject {
    Q_OBJECT
    std::unique_ptr<quorvane::PortAreaForm> m_form;

  private slots:
    void init() {
        m_form = std::make_unique<quorvane::PortAreaForm>();
        ShowActive(m_form.get());
    }

    void buttons_calculate_or_refuse_data() {
        QTest::addColumn<QStringList>("row");
        const QString width = "cmdExhPortWidthCalc", area = "cmdPortArea", diameter = "cmdPortDiam",
                      segment = "cmdOnlySegment";
        const QString port = "txtPortWidth=40 txtPortHeight=30 txtPortRad1=5 txtPortRad2=3";
        const QString staleArea = "txtPipeArea=1.00 txtPipeDiam=2.00 ",
                      areaEmptied = "txtPipeArea= txtPipeDiam=";
        CalcRow("chordal width", "txtPortWidthFlat=30 txtBore=60", width, "txtPortWidth=28.77");
        CalcRow("curved width 0.5 refused", "txtPortWidth=12.34 txtPortWidthFlat=0.5 txtBore=60", width,
                "txtPortWidth=12.34", "txtPortWidthFlat");
        CalcRow("bore 1.5 refused", "txtPortWidth=12.34 txtPortWidthFlat=30 txtBore=1.5", width,
                "txtPortWidth=12.34", "txtBore");
        CalcRow("empty boxes refused, curved width first", "", width, "txtPortWidth=", "txtPortWidthFlat");
        CalcRow("unreadably large curved width", "txtPortWidth=12.34 txtPortWidthFlat=1e400 txtBore=60",
                width, "txtPortWidth=", "txtPortWidthFlat");

        // Both combo boxes start at "x 2".
        CalcRow("area, two pairs of corners", port, area, "txtPipeArea=1185.41 txtPipeDiam=38.85");
        CalcRow("area, curved top edge", port + " txtSegmentRad=52 txtSegmentHeight=4", area,
                "txtPipeArea=1132.92 txtPipeDiam=37.98");
        CalcRow("four corners of radius #1",
                "txtPortWidth=40 txtPortHeight=30 txtPortRad1=5 cmbRadius1Num=x 4", area,
                "txtPipeArea=1178.54 txtPipeDiam=38.74");
        CalcRow("one corner of radius #2", port + " cmbRadius2Num=x 1", area,
                "txtPipeArea=1187.34 txtPipeDiam=38.88");
        CalcRow("area of empty boxes", "", area, "txtPipeArea=0.00 txtPipeDiam=0.00");
        // Too wide for the box in the usual face; not grouped, so that Area to Diameter reads it back whole.
        CalcRow("a large area shows every digit",
                "txtPortWidth=4000 txtPortHeight=3000 txtPortRad1=5 txtPortRad2=3", area,
                "txtPipeArea=11999985.41 txtPipeDiam=3,908.82");
        CalcRow("corners larger than the port",
                staleArea + "txtPortWidth=4 txtPortHeight=3 txtPortRad1=5 cmbRadius1Num=x 4", area,
                areaEmptied, "txtPortRad1");
        CalcRow("segment higher than twice its radius",
                staleArea + "txtPortWidth=40 txtPortHeight=30 txtSegmentRad=5 txtSegmentHeight=11", area,
                areaEmptied, "txtSegmentHeight");
        CalcRow("area overflows", staleArea + "txtPortWidth=1e300 txtPortHeight=1e300", area, areaEmptied,
                "txtPortWidth");

        CalcRow("segment only", "txtSegmentRad=50 txtSegmentHeight=5", segment, "txtSegmentOut=146.81");
        CalcRow("segment only skipped for radius 0", "txtSegmentOut=7.00 txtSegmentRad=0 txtSegmentHeight=5",
                segment, "txtSegmentOut=7.00");
        CalcRow("segment only, too high", "txtSegmentOut=7.00 txtSegmentRad=5 txtSegmentHeight=11", segment,
                "txtSegmentOut=", "txtSegmentHeight");

        CalcRow("area of a million to diameter", "txtPipeArea=1000000", diameter, "txtPipeDiam=1,128.38");
        CalcRow("grouped area reads up to the separator", "txtPipeArea=1,234", diameter, "txtPipeDiam=1.13");
        CalcRow("empty area to diameter", "", diameter, "txtPipeDiam=0.00");
        CalcRow("a diameter too wide for any face shows its start", "txtPipeArea=1e20", diameter,
                "txtPipeDiam=11,283,791,670.96");
        CalcRow("negative area to diameter", "txtPipeDiam=2.00 txtPipeArea=-5", diameter,
                "txtPipeDiam=", "txtPipeArea");
        CalcRow("unreadable area to diameter", "txtPipeDiam=2.00 txtPipeArea=1e400", diameter,
                "txtPipeDiam=", "txtPipeArea");
    }

    void buttons_calculate_or_refuse() { Calculate(m_form.get()); }
    void close_hides_and_keeps_every_value() {
        Enter(m_form.get(), "txtPortWidthFlat=30 txtBore=60 cmbRadius1Num=x 3");
        QTest::mouseClick(m_form->findChild<QPushButton *>("cmdExhPortWidthCalc"), Qt::LeftButton);
        CloseAndReopen(m_form.get(), "cmdOK");
        Expect(m_form.get(), "txtPortWidthFlat=30 txtBore=60 txtPortWidth=28.77");
        QCOMPARE(m_form->findChild<QComboBox *>("cmbRadius1Num")->currentText(), "x 3");
    }

    void diagrams_are_drawn() {
        for (const char *name : {"Picture1", "picSegment"}) {
            QWidget *picture = m_form->findChild<QWidget *>(name);
            const auto [dark, blue] = Ink(picture);
            QVERIFY2(dark > 100 && dark < picture->width() * picture->height() / 3 && blue > 40, name);
        }
    }
};

QTEST_MAIN(TestPortAreaForm)
#include "tst_portareaform.moc"
