// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipemodel.h"

#include "numeric.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvane {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kChordTolerance = 0.02; // mm, as the flat patterns' curves
constexpr int kFewestSegments = 64;
constexpr int kMostSegments = 720;
constexpr int kEnvelopeSamples = 720;

Vec3 Normalised(Vec3 v) {
    return (1 / Length(v)) * v;
}

// The point of each line nearest the other, averaged: where two axes meet.
Vec3 Meeting(Vec3 p1, Vec3 d1, Vec3 p2, Vec3 d2) {
    const Vec3 w = p1 - p2;
    const double a = Dot(d1, d1), b = Dot(d1, d2), c = Dot(d2, d2), d = Dot(d1, w), e = Dot(d2, w);
    const double denominator = a * c - b * b;
    if (denominator <= 1e-18 * a * c)
        return 0.5 * (p1 + p2);
    const double s = (b * e - c * d) / denominator;
    const double u = (a * e - b * d) / denominator;
    return 0.5 * ((p1 + s * d1) + (p2 + u * d2));
}

void Check(Vec3 v) {
    Checked(v.x), Checked(v.y), Checked(v.z);
}

} // namespace

Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator*(double s, Vec3 a) {
    return {s * a.x, s * a.y, s * a.z};
}
double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}

Vec3 Placement::turn(Vec3 v) const {
    return v.x * axes[0] + v.y * axes[1] + v.z * axes[2];
}

Vec3 Placement::apply(Vec3 p) const {
    return turn(p) + origin;
}

Placement Placement::after(const Placement &inner) const {
    return {{turn(inner.axes[0]), turn(inner.axes[1]), turn(inner.axes[2])}, apply(inner.origin)};
}

std::vector<PipeSection> InFlowOrder(const std::vector<Section> &sections) {
    std::vector<PipeSection> out;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const Section &s = sections[i];
        double start = s.baseDiameter, end = s.tipDiameter;
        if (i == 0 && sections.size() > 1) {
            // The header ends where the first cone begins.
            const Section &next = sections[1];
            if (s.baseDiameter == next.baseDiameter || s.baseDiameter == next.tipDiameter)
                std::swap(start, end);
        } else if (i > 0 && std::abs(s.tipDiameter - out.back().endDiameter) <
                                std::abs(s.baseDiameter - out.back().endDiameter)) {
            std::swap(start, end);
        }
        out.push_back({s.name, start, end, s.centreLength, {}});
    }
    return out;
}

std::string ShortName(const std::string &sectionName) {
    const auto space = sectionName.rfind(' ');
    return space == std::string::npos ? sectionName : sectionName.substr(space + 1);
}

std::optional<BendRefusal> ApplyBendPlan(std::vector<PipeSection> &sections,
                                         const std::map<std::string, BendTexts> &plan, double thickness,
                                         std::vector<BendWarning> *warnings) {
    for (PipeSection &s : sections) {
        const auto typed = plan.find(ShortName(s.name));
        if (typed == plan.end())
            continue;
        const BendTarget target{s.name, s.startDiameter, s.endDiameter, s.centreLength};
        if (auto refusal = ReadBend(typed->second, target, thickness, s.bend, warnings))
            return refusal;
    }
    return std::nullopt;
}

SectionModel::SectionModel(const PipeSection &section, const ModelOptions &options, const PipeFrame &start)
    : m_section(section), m_thickness(options.thickness), m_neutralFactor(options.neutralFactor) {
    const double length = section.centreLength;
    if (!(length > 0) || !(section.startDiameter > 0) || !(section.endDiameter > 0))
        throw ArithmeticFailure(Failure::NumbersTooLarge);
    m_slope = Checked((section.endDiameter - section.startDiameter) / (2 * length));
    m_cosBeta = 1 / std::sqrt(1 + m_slope * m_slope);
    const Bend &bend = section.bend;
    const int pieces = bend.isStraight() ? 1 : bend.pieces;
    m_pieceCount = pieces;
    if (!bend.isStraight())
        m_tanAlpha = Checked(std::tan(bend.angle / (2 * (pieces - 1)) * kDegree));

    // x towards the outside of the bend, which is opposite the way it turns.
    const double psi = bend.direction * kDegree;
    const Vec3 side = Cross(start.direction, start.up);
    const Vec3 outside = -1 * (std::cos(psi) * start.up + std::sin(psi) * side);
    m_start = {{outside, Cross(start.direction, outside), start.direction}, start.position};

    Placement body; // piece 1 stays where it was cut
    m_pieces.push_back(m_start);
    for (int c = 1; c < pieces; ++c) {
        const Vec3 n = cutNormal(c);
        const Vec3 centre = cutCentre(c);
        // Half a turn about the cut's normal through its ellipse's centre: the
        // next piece turned half a turn about its own axis and set on the cut,
        // the ellipses one on the other.
        Placement turn{
            {2 * n.x * n - Vec3{1, 0, 0}, 2 * n.y * n - Vec3{0, 1, 0}, 2 * n.z * n - Vec3{0, 0, 1}}, {}};
        turn.origin = centre - turn.turn(centre);
        body = body.after(turn);
        m_pieces.push_back(m_start.after(body));
    }
    for (int k = 1; k < pieces; ++k) {
        const Placement &a = piece(k), &b = piece(k + 1);
        m_knees.push_back(Meeting(a.origin, a.axes[2], b.origin, b.axes[2]));
    }
    const Placement last = frame(pieces);
    m_exit.position = last.apply({0, 0, length});
    m_exit.direction = Normalised(last.axes[2]);
    m_exit.up = Normalised(last.turn({-std::cos(psi), std::sin(psi), 0}));
    Check(m_exit.position), Check(m_exit.direction), Check(m_exit.up);
}

Placement SectionModel::frame(int k) const {
    // Every second piece was turned half a turn about its own axis; the
    // pipe's frame is not.
    if (k % 2 == 1)
        return piece(k);
    static const Placement kHalfTurnAboutAxis{{Vec3{-1, 0, 0}, Vec3{0, -1, 0}, Vec3{0, 0, 1}}, {}};
    return piece(k).after(kHalfTurnAboutAxis);
}

double SectionModel::radius(Surface surface, double z) const {
    // The wall's thickness is square to the sheet: radially t / cos β; the
    // neutral surface lies the neutral factor of the way out.
    const double share = surface == Surface::Inside ? 0 : surface == Surface::Neutral ? m_neutralFactor : 1;
    return m_section.startDiameter / 2 + share * m_thickness / m_cosBeta + m_slope * z;
}

Vec3 SectionModel::onCut(int c, Surface surface, double phi) const {
    const int pieces = this->pieces();
    const double length = m_section.centreLength;
    double z = c <= 0 ? 0 : length;
    if (c > 0 && c < pieces) {
        // The generator r(z) = r0 + slope·z meets the plane z = z_c + σ·tan α·x.
        const double sigma = c % 2 == 1 ? 1 : -1;
        const double onAxis = length * (2 * c - 1) / (2 * (pieces - 1));
        const double tilt = sigma * m_tanAlpha * std::cos(phi);
        z = Checked((onAxis + tilt * radius(surface, 0)) / (1 - tilt * m_slope));
    }
    const double r = radius(surface, z);
    return {r * std::cos(phi), r * std::sin(phi), z};
}

Vec3 SectionModel::cutCentre(int c) const {
    return 0.5 * (onCut(c, Surface::Neutral, 0) + onCut(c, Surface::Neutral, std::numbers::pi));
}

Vec3 SectionModel::cutNormal(int c) const {
    const double sigma = c % 2 == 1 ? 1 : -1;
    return Normalised({-sigma * m_tanAlpha, 0, 1});
}

Vec3 SectionModel::halfTurn(int c, Vec3 p) const {
    const Vec3 n = cutNormal(c), centre = cutCentre(c), v = p - centre;
    return centre + (2 * Dot(n, v)) * n - v;
}

double SectionModel::azimuthAcross(int c, double phi) const {
    const Vec3 q = halfTurn(c, onCut(c, Surface::Neutral, phi));
    return std::atan2(q.y, q.x);
}

double AssembledPipe::centrelineLength() const {
    double total = 0;
    for (std::size_t i = 1; i < centreline.size(); ++i)
        total += Length(centreline[i] - centreline[i - 1]);
    return total;
}

AssembledPipe AssemblePipe(const std::vector<PipeSection> &sections, const ModelOptions &options) {
    AssembledPipe pipe;
    PipeFrame at;
    pipe.centreline.push_back(at.position);
    for (const PipeSection &section : sections) {
        if (section.centreLength == 0 && section.bend.isStraight())
            continue; // nothing to build, as the templates leave it out
        pipe.sections.emplace_back(section, options, at);
        const SectionModel &model = pipe.sections.back();
        for (const Vec3 &knee : model.knees())
            pipe.centreline.push_back(knee);
        at = model.exit();
        pipe.centreline.push_back(at.position);
    }
    pipe.exit = at;
    bool first = true;
    for (const SectionModel &model : pipe.sections)
        for (int k = 1; k <= model.pieces(); ++k)
            for (int c : {k - 1, k})
                for (int i = 0; i < kEnvelopeSamples; ++i) {
                    const Vec3 p = model.worldOnPiece(k, c, Surface::Outside, kTwoPi * i / kEnvelopeSamples);
                    if (first)
                        pipe.envelope = {p, p};
                    first = false;
                    pipe.envelope.low = {std::min(pipe.envelope.low.x, p.x),
                                         std::min(pipe.envelope.low.y, p.y),
                                         std::min(pipe.envelope.low.z, p.z)};
                    pipe.envelope.high = {std::max(pipe.envelope.high.x, p.x),
                                          std::max(pipe.envelope.high.y, p.y),
                                          std::max(pipe.envelope.high.z, p.z)};
                }
    return pipe;
}

namespace {

// No "-0.00" for a figure that rounds to nothing.
std::string Fixed(double v, int digits) {
    return FormatFixed(std::abs(v) < std::pow(10.0, -digits) / 2 ? 0.0 : v, digits);
}

// "12.50 mm left" or "12.50 mm right": a distance along an axis with its direction.
std::string Along(double v, const char *positive, const char *negative) {
    return Fixed(std::abs(v), 2) + " mm " + (Fixed(v, 2).front() == '-' ? negative : positive);
}

} // namespace

std::string PipeFigures(const AssembledPipe &pipe) {
    const Vec3 size = pipe.envelope.size(), at = pipe.exit.position, d = pipe.exit.direction;
    const double climb = std::asin(std::clamp(d.z, -1.0, 1.0)) / kDegree;
    const double heading = std::atan2(d.y, d.x) / kDegree;
    const std::string turn = Fixed(heading, 2) == "0.00" ? "straight on"
                                                         : Fixed(std::abs(heading), 2) + "° to the " +
                                                               (heading < 0 ? "right" : "left");
    return "Envelope: " + Fixed(size.x, 2) + " mm long, " + Fixed(size.y, 2) + " mm wide, " +
           Fixed(size.z, 2) + " mm high\nExit from the port: " + Along(at.x, "forward", "back") + ", " +
           Along(at.y, "left", "right") + ", " + Along(at.z, "up", "down") + "\nExit points " +
           Fixed(std::abs(climb), 2) + "° " + (climb < 0 ? "below" : "above") + " level, " + turn +
           "\nCentreline: " + Fixed(pipe.centrelineLength(), 3) + " mm\n";
}

namespace {

using Ring = std::vector<std::uint32_t>;

// Walls whose radii differ by less than this share their rings.
bool Same(double a, double b) {
    return std::abs(a - b) < 1e-7;
}

class MeshBuilder {
  public:
    MeshBuilder(const AssembledPipe &pipe, int segments, bool closed)
        : m_pipe(pipe), m_segments(segments), m_closed(closed) {}

    Mesh build() {
        if (m_pipe.sections.empty())
            return {};
        std::vector<double> azimuths(m_segments);
        for (int i = 0; i < m_segments; ++i)
            azimuths[i] = kTwoPi * i / m_segments;
        Ring inside, outside;
        double insideRadius = 0, outsideRadius = 0;
        for (std::size_t s = 0; s < m_pipe.sections.size(); ++s) {
            const SectionModel &model = m_pipe.sections[s];
            if (s > 0) {
                // Carry the azimuths across the square joint so the rings line up.
                const Placement &start = model.start();
                for (int i = 0; i < m_segments; ++i) {
                    const Vec3 d = m_mesh.vertices[outside[i]] - start.origin;
                    azimuths[i] = std::atan2(Dot(d, start.axes[1]), Dot(d, start.axes[0]));
                }
            }
            // A wall of another thickness or slope meets the last one in a flat ledge.
            const bool newOutside = s == 0 || !Same(model.radius(Surface::Outside, 0), outsideRadius);
            const bool newInside = s == 0 || !Same(model.radius(Surface::Inside, 0), insideRadius);
            if (newOutside) {
                Ring ring = ringOf(model, 1, 0, Surface::Outside, azimuths);
                if (s > 0)
                    strip(outside, ring);
                outside = std::move(ring);
            }
            if (m_closed && newInside) {
                Ring ring = ringOf(model, 1, 0, Surface::Inside, azimuths);
                strip(ring, s == 0 ? outside : inside); // the flange face, or the ledge
                inside = std::move(ring);
            }
            for (int k = 1; k <= model.pieces(); ++k, ++m_piece) {
                Ring endOutside = ringOf(model, k, k, Surface::Outside, azimuths);
                strip(outside, endOutside);
                outside = std::move(endOutside);
                if (m_closed) {
                    Ring endInside = ringOf(model, k, k, Surface::Inside, azimuths);
                    strip(inside, endInside, true);
                    inside = std::move(endInside);
                }
                if (k < model.pieces())
                    for (double &phi : azimuths)
                        phi = model.azimuthAcross(k, phi);
            }
            insideRadius = model.radius(Surface::Inside, model.section().centreLength);
            outsideRadius = model.radius(Surface::Outside, model.section().centreLength);
        }
        if (m_closed) {
            --m_piece; // the tail's end face
            strip(outside, inside);
        }
        return std::move(m_mesh);
    }

  private:
    Ring ringOf(const SectionModel &model, int k, int c, Surface surface,
                const std::vector<double> &azimuths) {
        Ring ring;
        ring.reserve(azimuths.size());
        for (double phi : azimuths) {
            const Vec3 p = model.worldOnPiece(k, c, surface, phi);
            Check(p);
            ring.push_back(static_cast<std::uint32_t>(m_mesh.vertices.size()));
            m_mesh.vertices.push_back(p);
        }
        return ring;
    }

    // Quads between two rings that run the same way round the pipe's
    // direction; facing out of the solid when `a` to `b` runs with the pipe
    // on the outside, from `a` outwards on an end face.
    void strip(const Ring &a, const Ring &b, bool reversed = false) {
        for (int i = 0; i < m_segments; ++i) {
            const int j = (i + 1) % m_segments;
            if (reversed) {
                m_mesh.triangles.push_back({a[i], b[j], a[j]});
                m_mesh.triangles.push_back({a[i], b[i], b[j]});
            } else {
                m_mesh.triangles.push_back({a[i], a[j], b[j]});
                m_mesh.triangles.push_back({a[i], b[j], b[i]});
            }
        }
        m_mesh.pieceOf.resize(m_mesh.triangles.size(), m_piece);
    }

    const AssembledPipe &m_pipe;
    int m_segments;
    bool m_closed;
    std::uint32_t m_piece = 0;
    Mesh m_mesh;
};

int SegmentsFor(const AssembledPipe &pipe) {
    double largest = 0;
    for (const SectionModel &model : pipe.sections)
        largest = std::max({largest, model.radius(Surface::Outside, 0),
                            model.radius(Surface::Outside, model.section().centreLength)});
    const double needed = std::numbers::pi / std::acos(1 - std::min(1.0, kChordTolerance / largest));
    if (!(needed < kMostSegments)) // also a radius so large the angle rounds to nothing
        return kMostSegments;
    return std::max(kFewestSegments, 8 * static_cast<int>(std::ceil(needed / 8)));
}

} // namespace

Mesh PipeMesh(const AssembledPipe &pipe, int segments) {
    return MeshBuilder(pipe, segments > 0 ? segments : SegmentsFor(pipe), true).build();
}

Mesh OutsideMesh(const AssembledPipe &pipe, int segments) {
    return MeshBuilder(pipe, segments, false).build();
}

} // namespace quorvane
