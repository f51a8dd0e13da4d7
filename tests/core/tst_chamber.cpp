// SPDX-License-Identifier: GPL-3.0-or-later
#include "chamber.h"
#include "chambertexts.h"
#include "coneplot.h"
#include "numeric.h"
#include "pipeoutline.h"
#include "workedexamples.h"

using namespace quorvane;

namespace {

// The texts of the main window's boxes after typing a case's inputs.
PipeTexts TextsOf(const examples::Case &example) {
    PipeTexts texts = InitialPipeTexts();
    for (const auto &[key, text] : example.inputs.asKeyValueRange())
        if (const std::optional<PipeField> field = FieldByKey(key.toStdString()))
            texts[std::size_t(*field)] = text.toStdString();
    return texts;
}

// The worked example with another port length.
PipeResult Compute(const QString &portLength = "30", bool straight = false) {
    PipeTexts texts = TextsOf(examples::Find("chamber", "worked example"));
    texts[std::size_t(PipeField::PortLength)] = portLength.toStdString();
    return ComputeChamber(ParsePipeInputs(texts, straight));
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
        if (AdvisoryColour(*FieldByKey(info.key), texts[std::size_t(*FieldByKey(info.key))]) ==
            BoxColour::Advisory)
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
        for (const char *text : {"30", "88", "88.93", "89", "100", "abc"})
            QCOMPARE(PortLengthColour(text, TL) == BoxColour::Advisory, Compute(text).portLengthFlagged);
        QCOMPARE(PortLengthColour("100", TL), BoxColour::Advisory);
    }

    void cone_list_carries_full_precision() {
        const PipeResult r = Compute();
        const ConeList cones = ConeListOf(r);
        QCOMPARE(cones[0].name + cones[1].name + cones[2].name + cones[3].name,
                 std::string("Cone L2Cone L3Cone L4Cone L6"));
        QVERIFY(cones[0].baseDiameter == r.D[2] && cones[0].tipDiameter == r.D[1] &&
                cones[0].centreLength == r.L[2]);
        QVERIFY(cones[2].baseDiameter == r.D[4] && cones[2].tipDiameter == r.D[3]);
        QVERIFY(cones[3].baseDiameter == r.D[5] && cones[3].tipDiameter == r.D[6] &&
                cones[3].centreLength == r.L[6]);
        QVERIFY(cones[0].centreLength != 244.55);                       // not the rounded text
        QCOMPARE(ConeListOf(Compute("30", true))[0].tipDiameter, 38.0); // D1 after the straight header
    }

    void outline_keeps_its_margins_at_any_size() {
        for (bool straight : {false, true}) {
            const PipeResult r = Compute("30", straight);
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
};

QTEST_APPLESS_MAIN(TestChamber)
#include "tst_chamber.moc"
