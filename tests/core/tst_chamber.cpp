// SPDX-License-Identifier: GPL-3.0-or-later
#include "chamber.h"
#include "chambertexts.h"
#include "coneplot.h"
#include "numeric.h"
#include "pipeoutline.h"
#include "wavetiming.h"
#include "workedexamples.h"

#include <functional>

using namespace quorvane;

namespace {

PipeTexts TextsOf(const examples::Case &example) {
    PipeTexts texts = InitialPipeTexts();
    for (const auto &[key, text] : example.inputs.asKeyValueRange())
        if (const std::optional<PipeField> field = FieldByKey(key.toStdString()))
            texts[std::size_t(*field)] = text.toStdString();
    return texts;
}

// The worked example's inputs with some boxes typed over, as "key=text" words.
PipeInputs ExampleInputs(const QString &changes = {}, bool straight = false) {
    examples::Case example = examples::Find("chamber", "worked example");
    for (const QString &word : changes.split(' ', Qt::SkipEmptyParts)) {
        const QString key = word.section('=', 0, 0);
        if (!FieldByKey(key.toStdString()))
            qFatal("no input %s", qPrintable(key));
        example.inputs[key] = word.section('=', 1);
    }
    return ParsePipeInputs(TextsOf(example), straight);
}

PipeResult Compute(const QString &changes = {}, bool straight = false) {
    return ComputeChamber(ExampleInputs(changes, straight));
}

WaveModel ExampleModel(std::optional<double> transfer = std::nullopt, const QString &changes = {}) {
    const PipeInputs in = ExampleInputs(changes);
    return WaveModelOf(in, ComputeChamber(in), transfer);
}

// The outline of a case of "outline", with a flange of its own.
PipeOutline OutlineOf(const examples::Case &example, double flange) {
    std::array<double, 8> D{}, L{};
    for (int i = 1; i < 8; ++i) {
        D[std::size_t(i)] = example.inputs.value("D").section(',', i - 1, i - 1).toDouble();
        L[std::size_t(i)] = example.inputs.value("L").section(',', i - 1, i - 1).toDouble();
    }
    const auto number = [&](const char *name) { return example.inputs.value(name).toDouble(); };
    return BuildPipeOutline(int(number("width")), int(number("height")), number("P"), flange, number("Lp"), D,
                            L);
}

QMap<QString, QString> ShownOutline(const examples::Case &example) {
    const PipeOutline o = OutlineOf(example, example.inputs.value("F").toDouble());
    QStringList upper, lower, labels;
    for (std::size_t j = 0; j < 9; ++j) {
        upper << QString("%1,%2").arg(o.upper[j].x).arg(o.upper[j].y);
        lower << QString("%1,%2").arg(o.lower[j].x).arg(o.lower[j].y);
    }
    for (const OutlineLabel &l : o.labels)
        labels << QString("%1@%2,%3").arg(QString::fromStdString(l.text)).arg(l.topLeft.x).arg(l.topLeft.y);
    return {{"upper", upper.join(' ')}, {"lower", lower.join(' ')}, {"labels", labels.join('\n')}};
}

QMap<QString, QString> ShownBatch(const examples::Case &example) {
    const ConeList cones = ConeListOf(ComputeChamber(ParsePipeInputs(TextsOf(example), false)));
    const CalcOutcome o = CalcBatchCones(cones, example.inputs.value("thickness").toStdString());
    if (o.focus)
        return {{"refused", *o.focus == int(PlotInput::Thickness) ? "thickness" : "another box"}};
    return {{"report", QString::fromStdString(o.outputs.at(0))}};
}

// The boxes typing turns yellow, then what Pipe Calc shows: a chamber case checks the results it lists.
QMap<QString, QString> ShownChamber(const examples::Case &example) {
    const PipeTexts texts = TextsOf(example);
    QStringList yellow;
    for (const PipeFieldInfo &info : PipeFields())
        if (const PipeField f = *FieldByKey(info.key);
            AdvisoryColour(f, texts[std::size_t(f)]) == BoxColour::Advisory)
            yellow << info.key;
    QMap<QString, QString> shown = {{"yellow", yellow.join(' ')}};
    if (const std::optional<PipeField> refused = ValidatePipeInputs(texts)) {
        shown["refused"] = FieldInfo(*refused).key;
        return shown;
    }
    try {
        const PipeInputs in = ParsePipeInputs(texts, example.inputs.contains("straightHeader"));
        const PipeResult r = ComputeChamber(in);
        const ChamberTexts t = FormatChamber(r);
        const double headerAngle = ConeAngle(in.portFlangeD, in.portToPipe * in.portWindowD, r.L[1]);
        const QMap<QString, std::string> results = {{"diameters", t.diameters},
                                                    {"lengths", t.lengths},
                                                    {"angles", t.angles},
                                                    {"tunedLength", t.tunedLength},
                                                    {"warnings", r.warningText},
                                                    {"total", FormatFixed(r.totalLength, 2)},
                                                    {"headerAngle", FormatFixed(headerAngle, 2)}};
        for (auto it = results.begin(); it != results.end(); ++it)
            if (example.outputs.contains(it.key()))
                shown[it.key()] = QString::fromStdString(it.value());
        if (example.outputs.contains("warnings"))
            shown["flagged"] = r.portLengthFlagged ? "yes" : "no";
    } catch (const ArithmeticFailure &e) {
        shown["why"] = QString::fromUtf8(e.what());
    }
    return shown;
}

QString Angles(const std::array<double, kStationCount> &angles) {
    QStringList texts;
    for (double a : angles)
        texts << QString::fromStdString(FormatFixed(a, 2));
    return texts.join(' ');
}

using Refusal = std::function<void()>;

} // namespace

class TestChamber : public QObject {
    Q_OBJECT

  private slots:
    void worked_examples_data() { examples::AddRows({"chamber", "flatcone --batch", "outline"}, "core"); }
    void worked_examples() {
        QFETCH(examples::Case, example);
        for (const auto &[key, text] : example.inputs.asKeyValueRange())
            QVERIFY2(FieldByKey(key.toStdString()) || key == "straightHeader" ||
                         example.calculation != "chamber",
                     qPrintable("no input " + key));
        QMap<QString, QString> expected = example.outputs;
        if (example.calculation == "outline")
            return examples::CompareShown(ShownOutline(example), expected);
        if (example.calculation == "flatcone --batch")
            return examples::CompareShown(ShownBatch(example), expected);
        expected["yellow"] = example.outputs.value("yellow");
        if (expected.contains("warnings")) // the port length warning is the one that comes first
            expected["flagged"] =
                expected["warnings"].contains("Port Length should not exceed") ? "yes" : "no";
        examples::CompareShown(ShownChamber(example), expected);
    }

    void port_length_turns_yellow_exactly_when_the_warning_would_fire() {
        QCOMPARE(PortLengthColour("500", std::nullopt), BoxColour::Normal); // before any calculation
        const double TL = Compute().tunedLength;
        for (const QString text : {"30", "88", "88.93", "89", "100", "abc"})
            QCOMPARE(PortLengthColour(text.toStdString(), TL) == BoxColour::Advisory,
                     Compute("portLength=" + text).portLengthFlagged);
        QCOMPARE(PortLengthColour("100", TL), BoxColour::Advisory);
    }

    void cone_list_carries_full_precision() {
        const PipeResult r = Compute();
        const ConeList cones = ConeListOf(r); // their names and figures show in the batch example
        QVERIFY(cones[0].baseDiameter == r.D[2] && cones[0].tipDiameter == r.D[1] &&
                cones[0].centreLength == r.L[2]);
        QVERIFY(cones[2].baseDiameter == r.D[4] && cones[2].tipDiameter == r.D[3]);
        QVERIFY(cones[3].baseDiameter == r.D[5] && cones[3].tipDiameter == r.D[6] &&
                cones[3].centreLength == r.L[6]);
        QCOMPARE(ConeListOf(Compute({}, true))[0].tipDiameter, 38.0); // D1 after the straight header
    }

    void outline_keeps_its_margins_at_any_size() {
        for (bool straight : {false, true}) {
            const PipeResult r = Compute({}, straight);
            for (int W : {300, 837, 1600}) {
                const PipeOutline o = BuildPipeOutline(W, 181, 40, 38, 30, r.D, r.L);
                QCOMPARE(o.upper[0].x, 10);
                QVERIFY(std::abs(o.upper[8].x - (W - 10)) <= 1);
                for (int j = 0; j < 9; ++j)
                    QVERIFY(o.upper[j].y >= 0 && o.lower[j].y <= 181); // below 4.5 x D1 everything fits
                if (straight)
                    QCOMPARE(o.upper[1].y, o.upper[2].y); // a straight header is drawn level
            }
        }
    }

    void outline_clamps_coordinates_far_outside_the_picture() {
        const examples::Case &example = examples::Find("outline", "worked example");
        const PipeOutline near = OutlineOf(example, 44);
        const PipeOutline far = OutlineOf(example, 1e13); // a flange of 1e13 mm
        for (int j = 0; j < 9; ++j) {
            QCOMPARE(far.upper[j], (j == 1 ? PixelPoint{near.upper[1].x, -kFarPixel} : near.upper[j]));
            QCOMPARE(far.lower[j], (j == 1 ? PixelPoint{near.lower[1].x, kFarPixel} : near.lower[j]));
        }
        QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, OutlineOf(example, std::nan("")));
    }

    // Wave timing. At the design RPM a wave out to x returns after timing × x / TL degrees past EO, so the
    // example's stations at 0.1, 0.65, 0.76 and 1 of TL return at 85 + 19, 123.5, 144.4 and 190 degrees.
    void wave_arrivals_at_the_design_rpm() {
        const WaveModel model = ExampleModel();
        QCOMPARE(FormatFixed(model.speedOfSound, 3), "561.645");
        QCOMPARE(model.events.exhaustOpens, 85.0);
        QCOMPARE(model.events.exhaustCloses, 275.0);
        QVERIFY(!model.events.transferCloses);
        QCOMPARE(Angles(model.stations), "88.93 578.03 675.85 889.27");
        const std::vector<SweepRow> rows = Sweep(model, 10000, 10000, 1);
        QCOMPARE(rows.size(), std::size_t(1));
        QCOMPARE(Angles(rows[0].arrival), "104.00 208.50 229.40 275.00");
        // A port longer than the header allowance makes the header as long as the port: the built pipe's
        // baffle ends TL + Lp from the piston, and its pulse comes back after the port has closed.
        const WaveModel flagged = ExampleModel(std::nullopt, "portLength=100");
        QCOMPARE(Angles(flagged.stations), "200.00 678.03 775.85 989.27");
        QCOMPARE(FormatFixed(ArrivalAngle(flagged, flagged.stations[3], 10000), 2), "296.37");
    }

    void baffle_end_returns_at_exhaust_closing_data() {
        QTest::addColumn<QString>("changes");
        for (const char *changes :
             {"timing=190 RPM=10000 temp=500 portLength=30", "timing=150 RPM=6000 temp=350 portLength=20",
              "timing=205.5 RPM=13250.4 temp=650.5 portLength=45", "timing=1 RPM=1000 temp=20 portLength=1",
              "timing=359 RPM=32767 temp=1 portLength=10"})
            QTest::newRow(changes) << QString(changes);
    }
    void baffle_end_returns_at_exhaust_closing() {
        QFETCH(QString, changes);
        const PipeInputs in = ExampleInputs(changes);
        const PipeResult r = ComputeChamber(in);
        QVERIFY(!r.portLengthFlagged);
        const WaveModel model = WaveModelOf(in, r);
        const double EC = model.events.exhaustCloses;
        QVERIFY(qAbs(ArrivalAngle(model, r.tunedLength, model.designRpm) - EC) < 1e-12 * EC);
        // The stations summed from the sections end exactly at the tuned length.
        QVERIFY(qAbs(model.stations[3] - r.tunedLength) < 1e-12 * r.tunedLength);
        // The reverse relations give the design RPM and temperature back from the tuned length.
        const short temp = RoundToInt16(in.temp, Failure::TemperatureTooLarge);
        const double N = TunedRpm(r.tunedLength, in.timing, temp, in.heats, in.gasConstant);
        QVERIFY2(qAbs(N - model.designRpm) < 1e-9 * N, qPrintable(QString::number(N, 'g', 17)));
        const double T =
            TemperatureForRpm(r.tunedLength, in.timing, model.designRpm, in.heats, in.gasConstant);
        QVERIFY2(qAbs(T - temp) < 1e-8 * (T + 273.15), qPrintable(QString::number(T, 'g', 17)));
    }

    void reverse_relations() {
        QCOMPARE(FormatFixed(TunedRpm(889.271, 190, 500, 1.36, 300), 2), "10,000.00");
        QCOMPARE(FormatFixed(TemperatureForRpm(889.271, 190, 10000, 1.36, 300), 2), "500.00");
        // Air at 20 °C: c = sqrt(1.4 × 287 × 293.15) = 343.202 m/s; a 1 m pipe at 180 degrees is tuned for
        // 1000 × 343.20 × 180 / 12000 rpm.
        QCOMPARE(FormatFixed(TunedRpm(1000, 180, 20, 1.4, 287), 2), "5,148.03");
        QCOMPARE(FormatFixed(TemperatureForRpm(1000, 180, 5148.03125, 1.4, 287), 2), "20.00");
        QCOMPARE(FormatFixed(ParseLengthSum("30+58.93+244.55+162.74+81.81+97.82+213.43"), 3), "889.280");
        QCOMPARE(ParseLengthSum(" 889.271 "), 889.271);
        QCOMPARE(ParseLengthSum("100+abc"), 100.0);
        QCOMPARE(ParseLengthSum(""), 0.0);
        QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, ParseLengthSum("1e308+1e308"));
    }

    void timing_refusals_name_the_input() {
        const WaveModel model = ExampleModel();
        const auto rpm = [](double L, double timing, double temp, double heats = 1.36, double R = 300) {
            return Refusal([=] { TunedRpm(L, timing, temp, heats, R); });
        };
        const auto temp = [](double L, double timing, double N, double heats = 1.36, double R = 300) {
            return Refusal([=] { TemperatureForRpm(L, timing, N, heats, R); });
        };
        const auto sweep = [model](double from, double to, double step) {
            return Refusal([=] { Sweep(model, from, to, step); });
        };
        const auto events = [](double timing, double transfer) {
            return Refusal([=] { PortEventsOf(timing, transfer); });
        };
        const auto chart = [](double from, double to) { return Refusal([=] { CheckChartRange(from, to); }); };
        using In = TimingInput;
        using F = Failure;
        const struct {
            const char *name;
            Refusal call;
            TimingInput input;
            Failure kind;
            const char *text = "*";
        } rows[] = {
            {"length 0", rpm(0, 190, 500), In::Length, F::LengthNotPositive, "*more than 0 mm."},
            {"negative length", temp(-1, 190, 9000), In::Length, F::LengthNotPositive},
            {"timing 0.99", rpm(900, 0.99, 500), In::Timing, F::TimingOutOfRange,
             "*between 1 and 359 degrees."},
            {"timing 359.01", temp(900, 359.01, 9000), In::Timing, F::TimingOutOfRange},
            {"absolute zero", rpm(900, 190, -273.15), In::Temperature, F::BelowAbsoluteZero,
             "*above absolute zero (-273.15 °C)."},
            {"rpm 0", temp(900, 190, 0), In::Rpm, F::RpmNotPositive, "The RPM must be more than 0."},
            {"heats 0", rpm(900, 190, 500, 0), In::Heats, F::GasNotPositive},
            {"gas constant -1", temp(900, 190, 9000, 1.36, -1), In::GasConstant, F::GasNotPositive},
            {"transfer as long as the exhaust", events(190, 190), In::Transfer, F::TransferOutOfRange,
             "*less than the exhaust duration (190.00 degrees)."},
            {"transfer 0", events(190, 0), In::Transfer, F::TransferOutOfRange},
            {"timing 360 for the events", events(360, 120), In::Timing, F::TimingOutOfRange},
            {"sweep from 0", sweep(0, 1000, 10), In::RpmFrom, F::RpmNotPositive},
            {"sweep downwards", sweep(9000, 8000, 10), In::RpmTo, F::RpmRangeEmpty},
            {"chart of one RPM", chart(9000, 9000), In::RpmTo, F::RpmRangeEmpty},
            {"chart from -1", chart(-1, 9000), In::RpmFrom, F::RpmNotPositive},
            {"sweep step 0", sweep(1000, 9000, 0), In::RpmStep, F::RpmStepNotPositive},
            {"sweep of 10,001 rows", sweep(1, 10001, 1), In::RpmStep, F::TooManyRpmSteps,
             "*more than 10,000 steps*"},
            {"sweep of an endless range", sweep(1, 1e308, 1e-300), In::RpmStep, F::TooManyRpmSteps},
        };
        for (const auto &row : rows)
            try {
                row.call();
                QFAIL(qPrintable(QString(row.name) + ": not refused"));
            } catch (const TimingRefused &refused) {
                QVERIFY2(refused.input() == row.input && refused.kind() == row.kind, row.name);
                QVERIFY2(examples::Matches(QString::fromUtf8(refused.what()), QString::fromUtf8(row.text)),
                         qPrintable(QString(row.name) + ": " + refused.what()));
            }
    }

    void sweep_steps_without_accumulating() {
        const WaveModel model = ExampleModel();
        const std::vector<SweepRow> rows = Sweep(model, 6000, 14000, 500);
        QCOMPARE(rows.size(), std::size_t(17));
        QCOMPARE(rows.front().rpm, 6000.0);
        QCOMPARE(rows.back().rpm, 14000.0);
        // 0.1 has no exact double: ten steps must still reach the end and no more.
        QCOMPARE(Sweep(model, 1000, 1001, 0.1).size(), std::size_t(11));
        QCOMPARE(Sweep(model, 1000, 1000.99, 0.1).size(), std::size_t(10));
        QCOMPARE(Sweep(model, 1, 10000, 1).size(), std::size_t(kMostSweepRows));
        // Arrivals are linear in RPM: at 6,000 rpm, 0.6 of the design's delay.
        QCOMPARE(FormatFixed(rows.front().arrival[3], 2), "199.00");
    }

    // With transfers of 130 degrees TC = 245: the pulse's end reaches TC at 160/190 of the design RPM, its
    // start (0.76 TL) leaves EC at 1/0.76 of it.
    void plugging_band_where_the_pulse_meets_tc_to_ec() {
        const auto overlap = [](const WaveModel &m, double rpm) {
            const auto o = PluggingOverlap(m, rpm);
            return QString::fromStdString(o ? FormatFixed((*o)[0], 2) + "-" + FormatFixed((*o)[1], 2)
                                            : "none");
        };
        QVERIFY(!PluggingBand(ExampleModel()));
        QCOMPARE(overlap(ExampleModel(), 10000), "none");
        const WaveModel model = ExampleModel(130);
        QCOMPARE(*model.events.transferOpens, 115.0);
        QCOMPARE(*model.events.transferCloses, 245.0);
        const std::optional<RpmBand> band = PluggingBand(model);
        QVERIFY(band);
        QCOMPARE(FormatFixed(band->from, 2) + " " + FormatFixed(band->to, 2), "8,421.05 13,157.89");
        QCOMPARE(overlap(model, 10000), "245.00-275.00");
        // At 13,000 rpm the pulse spans 272.72 to 332.00 degrees and meets the window's end only; at 8,000
        // its end is at 237.00, before TC, and at 14,000 its start at 287.16, after EC.
        QCOMPARE(overlap(model, 13000), "272.72-275.00");
        QCOMPARE(overlap(model, 8000), "none");
        QCOMPARE(overlap(model, 14000), "none");
        // Outline: from the band's start (245 at 8,421.05) the upper edge climbs to EC at the design RPM; the
        // lower edge leaves TC where the pulse's start passes it (245 - 85 = 160 of 144.4 × N / 10,000).
        QStringList outline;
        for (const OverlapPoint &p : PluggingOverlapOutline(model, 6000, 14000))
            outline << QString::fromStdString(FormatFixed(p.rpm, 2) + " " + FormatFixed(p.lower, 2) + "-" +
                                              FormatFixed(p.upper, 2));
        QCOMPARE(outline.join(", "),
                 "8,421.05 245.00-245.00, 10,000.00 245.00-275.00, 11,080.33 245.00-275.00, "
                 "13,157.89 275.00-275.00");
        QCOMPARE(PluggingOverlapOutline(model, 9000, 10500).size(), std::size_t(3));
        QVERIFY(PluggingOverlapOutline(model, 14000, 15000).empty());
        QVERIFY(PluggingOverlapOutline(ExampleModel(), 6000, 14000).empty());
    }
};

QTEST_APPLESS_MAIN(TestChamber)
#include "tst_chamber.moc"
