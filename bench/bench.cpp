// SPDX-License-Identifier: GPL-3.0-or-later
// Median time per call of the calculations behind every button press.
// Each sample times a batch of calls; the median of the samples is reported
// so that a stray interruption on a busy machine does not move the figure.

#include "chamber.h"
#include "chambertexts.h"
#include "coneplot.h"
#include "flatcone.h"
#include "numeric.h"
#include "pattern.h"
#include "pipeinputs.h"
#include "pipemodel.h"
#include "pipevaluesfile.h"
#include "profilefile.h"
#include "stlfile.h"
#include "wavetiming.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <numbers>
#include <utility>
#include <vector>

using namespace quorvane;

namespace {

// Keeps the optimiser from dropping work whose result is unused.
template <class T> void Keep(const T &value) {
    asm volatile("" : : "g"(&value) : "memory");
}

template <class F> double MedianNanoseconds(F &&call, int batch = 2000, int samples = 201) {
    std::vector<double> times;
    times.reserve(samples);
    for (int i = 0; i < 20 * batch; ++i)
        call(); // warm up
    for (int s = 0; s < samples; ++s) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < batch; ++i)
            call();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::nano>(stop - start).count() / batch);
    }
    std::nth_element(times.begin(), times.begin() + samples / 2, times.end());
    return times[samples / 2];
}

// Nanoseconds, or milliseconds for what takes that long.
void Report(const char *name, double ns, double targetNs = 0) {
    const bool slow = ns >= 1e6;
    const double scale = slow ? 1e-6 : 1;
    const char *unit = slow ? "ms" : "ns";
    std::printf("%-48s %9.1f %s", name, ns * scale, unit);
    if (targetNs > 0)
        std::printf("   (target < %.0f %s: %s)", targetNs * scale, unit, ns < targetNs ? "met" : "MISSED");
    std::printf("\n");
}

} // namespace

int main() {
    const PipeInputs example{190, 10000, 500, 1.36, 300, 40, 30, 38, 1.05, 3.25, 0.6, 1.25, false};

    Report("ComputeChamber (arithmetic only)", MedianNanoseconds([&] { Keep(ComputeChamber(example)); }));
    Report("ComputeChamber + all output texts", MedianNanoseconds([&] {
               const PipeResult r = ComputeChamber(example);
               Keep(FormatChamber(r));
           }),
           2000);
    Report("FlattenCone", MedianNanoseconds([] { Keep(FlattenCone(120, 80, 150, 1.5)); }));
    Report("CalcSingleCone (reading, FlattenCone, text)",
           MedianNanoseconds([] { Keep(CalcSingleCone("120", "80", "150", "1.5")); }));
    Report("ParseLeadingNumber(\"1,234.5678e2\")",
           MedianNanoseconds([] { Keep(ParseLeadingNumber("1,234.5678e2")); }));
    Report("ParseLeadingNumber(\" 12 500.5\")",
           MedianNanoseconds([] { Keep(ParseLeadingNumber(" 12 500.5")); }));
    Report("FormatFixed(1234.5678, 2, grouped)", MedianNanoseconds([] { Keep(FormatFixed(1234.5678, 2)); }));
    Report("FormatFixed(1234.5678, 3, off)",
           MedianNanoseconds([] { Keep(FormatFixed(1234.5678, 3, Grouping::Off)); }));

    // The chart and the command line redraw a sweep on every Pipe Calc and every range typed.
    const WaveModel model = WaveModelOf(example, ComputeChamber(example), 130);
    std::vector<SweepRow> rows;
    Report("Wave timing: a 200-point sweep and its band", MedianNanoseconds([&] {
               SweepInto(model, 6000, 14000 - 40, 40, rows);
               Keep(rows);
               Keep(PluggingBand(model));
           }),
           50000);

    const std::vector<Section> sections = ChamberSections(example, ComputeChamber(example));
    QTemporaryDir dir;
    Report("Template geometry of the seven sections",
           MedianNanoseconds([&] { Keep(BuildTemplates(sections, {1.5})); }, 200, 101), 20000);

    // Every section bent: the pie-cut curves of every cut, sampled to 0.02 mm, and the solid.
    const std::map<std::string, BendTexts> plan = {{"L1", {"20", "3", "0"}},   {"L2", {"45", "4", "90"}},
                                                   {"L3", {"60", "5", "180"}}, {"L4", {"30", "3", "270"}},
                                                   {"L5", {"45", "3", "0"}},   {"L6", {"45", "4", "90"}},
                                                   {"L7", {"30", "3", "180"}}};
    std::vector<PipeSection> bent = InFlowOrder(sections);
    if (ApplyBendPlan(bent, plan, 1.5))
        return 1;
    Report("Pie-cut curves of the seven sections, all bent",
           MedianNanoseconds(
               [&] {
                   for (const PipeSection &s : bent) {
                       const double large = std::max(s.startDiameter, s.endDiameter);
                       const double small = std::min(s.startDiameter, s.endDiameter);
                       const double beta = HalfAngleDegrees(large, small, s.centreLength);
                       const PieCut cut(NeutralRadius(large, 1.5, beta), NeutralRadius(small, 1.5, beta),
                                        s.centreLength, s.bend.angle, s.bend.pieces);
                       for (int k = 1; k < cut.pieces(); ++k)
                           Keep(CutCurve(cut, k, 0, 2 * std::numbers::pi));
                   }
               },
               20, 101),
           1e6);
    PatternOptions bentOptions;
    bentOptions.thickness = 1.5;
    if (ReadBendPlan(sections, plan, bentOptions, bentOptions.bends))
        return 1;
    Report("Template geometry of the seven sections, all bent, piece by piece",
           MedianNanoseconds([&] { Keep(BuildTemplates(sections, bentOptions)); }, 20, 101), 1e6);
    Report("Assembled pipe, all bent, as STL bytes",
           MedianNanoseconds([&] { Keep(StlBytes(PipeMesh(AssemblePipe(bent, {1.5})))); }, 1, 51));
    QStringList modelArgs = {"model",
                             "--thickness",
                             "1.5",
                             "timing=190",
                             "RPM=10000",
                             "temp=500",
                             "portWindowD=40",
                             "portLength=30",
                             "portFlangeD=38",
                             "-o",
                             dir.filePath("x.stl")};
    for (const auto &[which, texts] : plan)
        modelArgs << "--bend"
                  << QString::fromStdString(which + ":" + texts.angle + ":" + texts.pieces + ":" +
                                            texts.direction);
    Report("quorvane-cli model ... -o x.stl, all bent (process)",
           MedianNanoseconds(
               [&] {
                   QProcess cli;
                   cli.start(QUORVANE_CLI_PATH, modelArgs);
                   cli.waitForFinished(60000);
               },
               1, 21),
           50e6);

    // The whole command as a user waits on it: start-up, fonts, the build sheet, the save.
    const QStringList args = {
        "templates",          "--thickness",    "1.5",           "timing=190",     "RPM=10000",
        "temp=500",           "portWindowD=40", "portLength=30", "portFlangeD=38", "-o",
        dir.filePath("x.pdf")};
    Report("quorvane-cli templates ... -o x.pdf (process)",
           MedianNanoseconds(
               [&] {
                   QProcess cli;
                   cli.start(QUORVANE_CLI_PATH, args);
                   cli.waitForFinished(60000);
               },
               1, 21),
           300e6);

    // The largest file Open reads, in the two shapes that cost most: a line
    // per byte, and keys the section search must look at one by one.
    const QStringList keys = {"timing",      "RPM",         "temp",         "heats",
                              "gasConstant", "portWindowD", "portLength",   "portFlangeD",
                              "portToPipe",  "portToMid",   "portToOutlet", "hornCoefficient"};
    const QByteArray blankLines(kLargestFileRead, '\n');
    QByteArray manyKeys = "[PipeCalcValues]\r\n";
    while (manyKeys.size() < kLargestFileRead - 16)
        manyKeys += "k" + QByteArray::number(manyKeys.size()) + "=1\r\n";
    for (const auto &[name, bytes] :
         {std::pair{"Open: 1 MiB of blank lines", &blankLines},
          std::pair{"Open: 1 MiB of keys in the section", &std::as_const(manyKeys)}}) {
        Report(name, MedianNanoseconds(
                         [&] {
                             ProfileFile file;
                             file.setBytes(*bytes);
                             Keep(file.values(kPipeValuesSection, keys));
                         },
                         1, 21));
    }
    return 0;
}
