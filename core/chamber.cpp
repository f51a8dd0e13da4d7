#include "chamber.h"

#include "numeric.h"
#include "warnings.h"

#include <cmath>
#include <numbers>

namespace quorvane {

using std::numbers::pi;

double ConeAngle(double a, double b, double c) {
    const double h = Checked((a - b) * 0.5);
    const double s = Checked(std::sqrt(Square(h) + Square(c)));
    if (s == 0.0)
        throw ArithmeticFailure(Failure::ZeroLengthCone);
    const double angle = Checked((180.0 / pi) * (2.0 * ArcSin(h / s)));
    return angle < 0 ? -angle : angle;
}

PipeResult ComputeChamber(const PipeInputs &in) {
    PipeResult r;
    const double gasConstant = in.gasConstant;
    const double heats = in.heats;
    const double timing = in.timing;
    const short rpm = RoundToInt16(in.RPM, Failure::RpmTooLarge);
    const short temp = RoundToInt16(in.temp, Failure::TemperatureTooLarge);

    const double c = Checked(std::sqrt((heats * gasConstant) * (temp + 273.15)));
    const double t = Checked((60000.0 / rpm) * (timing / 360.0));
    const double TL = Checked(((c * 1000.0) * (t / 1000.0)) / 2.0);

    const double P = in.portWindowD;
    const double Lp = in.portLength;
    const double F = in.portFlangeD;
    const double k = in.hornCoefficient;

    auto &D = r.D;
    auto &L = r.L;
    D[0] = P;
    D[1] = Checked(in.portToPipe * P);
    D[4] = Checked(in.portToMid * P);
    D[5] = D[4];
    D[6] = Checked(in.portToOutlet * P);
    D[7] = D[6];

    L[0] = Lp;
    L[1] = Checked(TL * 0.1 - Lp);
    L[2] = TL * 0.275;
    L[3] = TL * 0.183;
    L[4] = TL * 0.092;
    L[5] = TL * 0.11;
    L[6] = TL * 0.24;
    L[7] = L[6];

    if (TL * 0.1 < Lp) {
        r.portLengthFlagged = true;
        AppendWarning(r.warningText, kPortLengthWarning);
        L[2] = Checked(L[2] - (Lp - TL * 0.1));
        L[1] = Lp;
    }
    // A negative cone would need the horn's power of a negative number and
    // would be drawn backwards; there is no pipe to build.
    if (L[2] < 0)
        throw ArithmeticFailure(Failure::PortTooLong, 0.375 * TL);

    r.totalLength = Checked(L[1] + L[2] + L[3] + L[4] + L[5] + L[6] + L[7]);

    const double diffuser = L[3] + L[2] + L[4];
    const double spread = Checked(std::log(Checked(D[4] / D[1])));
    double q1 = Checked(L[2] / diffuser);
    q1 = Checked(std::pow(q1, k));
    q1 = Checked(spread * q1);
    double q2 = Checked((L[3] + L[2]) / diffuser);
    q2 = Checked(std::pow(q2, k));
    q2 = Checked(spread * q2);
    D[2] = Checked(std::exp(q1) * D[1]);
    D[3] = Checked(std::exp(q2) * D[1]);

    if (in.straightHeader)
        D[1] = F;

    try {
        r.coneAngle[0] = ConeAngle(D[1], D[2], L[2]);
    } catch (const ArithmeticFailure &) {
        if (L[2] == 0)
            throw ArithmeticFailure(Failure::PortLeavesNoCone, 0.375 * TL);
        throw;
    }
    r.coneAngle[1] = ConeAngle(D[2], D[3], L[3]);
    r.coneAngle[2] = ConeAngle(D[3], D[4], L[4]);
    r.coneAngle[3] = ConeAngle(D[5], D[6], L[6]);
    r.tunedLength = TL;

    if (!in.straightHeader) {
        if (F > D[1]) {
            AppendWarning(r.warningText, kFlangeWarning);
        } else if (F < D[1]) {
            const double headerAngle = ConeAngle(F, D[1], L[1]);
            if (headerAngle > r.coneAngle[0])
                AppendWarning(r.warningText, HeaderTaperWarning(headerAngle, r.coneAngle[0]));
        }
    }
    return r;
}

ConeList ConeListOf(const PipeResult &r) {
    return {{
        {"Cone L2", r.D[2], r.D[1], r.L[2]},
        {"Cone L3", r.D[3], r.D[2], r.L[3]},
        {"Cone L4", r.D[4], r.D[3], r.L[4]},
        {"Cone L6", r.D[5], r.D[6], r.L[6]},
    }};
}

namespace {

template <std::size_t N>
std::string Lines(const std::array<const char *, N> &names, const std::array<double, N> &values) {
    std::string text;
    text.reserve(N * 16);
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0)
            text += '\n';
        text += names[i];
        AppendFixed(text, values[i], 2);
    }
    return text;
}

} // namespace

ChamberTexts FormatChamber(const PipeResult &r) {
    static constexpr std::array<const char *, 7> dNames{
        "D1 = ", "D2 = ", "D3 = ", "D4 = ", "D5 = ", "D6 = ", "D7 = "};
    static constexpr std::array<const char *, 7> lNames{
        "L1 = ", "L2 = ", "L3 = ", "L4 = ", "L5 = ", "L6 = ", "L7 = "};
    static constexpr std::array<const char *, 4> aNames{"L2 = ", "L3 = ", "L4 = ", "L6 = "};
    auto tail = [](const std::array<double, 8> &a) {
        std::array<double, 7> out{};
        for (std::size_t i = 0; i < 7; ++i)
            out[i] = a[i + 1];
        return out;
    };
    return {Lines(dNames, tail(r.D)), Lines(lNames, tail(r.L)), Lines(aNames, r.coneAngle),
            FormatFixed(r.tunedLength, 2)};
}

} // namespace quorvane
