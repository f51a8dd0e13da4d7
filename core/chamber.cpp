// SPDX-License-Identifier: GPL-3.0-or-later
#include "chamber.h"

#include "numeric.h"
#include "warnings.h"

#include <cmath>
#include <numbers>

namespace quorvane {

using std::numbers::pi;

double SpeedOfSound(double heats, double gasConstant, double tempCelsius) {
    return Checked(std::sqrt((heats * gasConstant) * (tempCelsius + kZeroCelsiusInKelvin)));
}

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

    const double c = SpeedOfSound(heats, gasConstant, temp);
    const double t = Checked((60000.0 / rpm) * (timing / 360.0));
    // The pressure wave travels out to the baffle cone and back while the port is open.
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
    L[1] = Checked(TL * kHeaderFraction - Lp);
    L[2] = TL * kFirstConeFraction;
    L[3] = TL * kSecondConeFraction;
    L[4] = TL * kThirdConeFraction;
    L[5] = TL * kBellyFraction;
    L[6] = TL * kBaffleConeFraction;
    L[7] = L[6];

    if (TL * kHeaderFraction < Lp) {
        r.portLengthFlagged = true;
        AppendWarning(r.warningText, kPortLengthWarning);
        L[2] = Checked(L[2] - (Lp - TL * kHeaderFraction));
        L[1] = Lp;
    }
    // A negative cone would need the horn's power of a negative number and
    // would be drawn backwards; there is no pipe to build.
    if (L[2] < 0)
        throw ArithmeticFailure(Failure::PortTooLong, kPortLimitFraction * TL);

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
            throw ArithmeticFailure(Failure::PortLeavesNoCone, kPortLimitFraction * TL);
        throw;
    }
    r.coneAngle[1] = ConeAngle(D[2], D[3], L[3]);
    r.coneAngle[2] = ConeAngle(D[3], D[4], L[4]);
    r.coneAngle[3] = ConeAngle(D[5], D[6], L[6]);
    r.tunedLength = TL;
    r.speedOfSound = c;
    r.rpm = rpm;

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

} // namespace quorvane
