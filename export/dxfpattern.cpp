// SPDX-License-Identifier: GPL-3.0-or-later
#include "dxfpattern.h"

#include "numeric.h"
#include "sheetlayout.h"

#include <dl_dxf.h>
#include <dl_writer_ascii.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvane {

namespace {

// The millimetre of the $INSUNITS header variable.
constexpr int kMillimetres = 4;
// Colours of the AutoCAD index.
constexpr int kWhite = 7; // black on a white background
constexpr int kBlue = 5;
constexpr int kRed = 1;

constexpr const char *kCutLayer = "CUT";
constexpr const char *kMarkLayer = "MARK";
constexpr const char *kTextLayer = "TEXT";
// A bend's cuts drawn on its blank: open lines to cut after rolling, kept
// off CUT, which holds only closed outlines a machine may follow.
constexpr const char *kPieCutLayer = "PIECUT";
constexpr const char *kTextStyle = "Standard";

// dxflib writes through DL_WriterA, which owns a file stream and prints reals
// with sixteen decimals, locale permitting. This one keeps the text in
// memory, so that the file can be saved in one go, and writes each real as
// the shortest text that reads back to the same double.
class DxfText : public DL_WriterA {
  public:
    explicit DxfText(DL_Codes::version version) : DL_WriterA("", version) {}

    const std::string &text() const { return m_text; }

    void dxfReal(int gc, double value) const override { Group(gc, ExactNumber(value)); }
    void dxfInt(int gc, int value) const override { Group(gc, std::to_string(value)); }
    void dxfHex(int gc, int value) const override {
        static constexpr char kHex[] = "0123456789ABCDEF";
        std::string digits;
        auto v = static_cast<unsigned>(value);
        do {
            digits.insert(digits.begin(), kHex[v & 0xf]);
            v >>= 4;
        } while (v != 0);
        Group(gc, digits);
    }
    void dxfString(int gc, const char *value) const override { Group(gc, value); }
    void dxfString(int gc, const std::string &value) const override { Group(gc, value); }

  private:
    // Group codes right-aligned in three columns, as AutoCAD writes them.
    void Group(int gc, const std::string &value) const {
        const std::string code = std::to_string(gc);
        m_text.append(code.size() < 3 ? 3 - code.size() : 0, ' ');
        m_text += code + '\n' + value + '\n';
    }

    mutable std::string m_text;
};

struct StrokeLayer {
    const char *layer;
    const char *linetype;
};

StrokeLayer LayerOf(Stroke stroke) {
    switch (stroke) {
    case Stroke::Cut:
        return {kCutLayer, "BYLAYER"};
    case Stroke::Fold:
        return {kMarkLayer, "DASHED"};
    case Stroke::Centre:
        return {kMarkLayer, "CENTER"};
    case Stroke::PieCut:
        return {kPieCutLayer, "BYLAYER"};
    case Stroke::Roll:
    case Stroke::Mark:
        break;
    }
    return {kMarkLayer, "BYLAYER"};
}

// A line type from a stroke's dashes: DXF gives gaps as negative lengths.
void WriteLinetype(DL_Dxf &dxf, DxfText &out, const char *name, const char *description, Stroke stroke) {
    std::vector<double> pattern = LookOf(stroke).dashes;
    double length = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        length += pattern[i];
        if (i % 2 == 1)
            pattern[i] = -pattern[i];
    }
    dxf.writeLinetype(
        out, DL_LinetypeData(name, description, 0, static_cast<int>(pattern.size()), length, pattern.data()));
}

// The PIECUT layer only where a blank has a bend's cuts: straight templates
// keep their four layers.
void WriteTables(DL_Dxf &dxf, DxfText &out, bool pieCuts) {
    out.sectionTables();
    dxf.writeVPort(out);

    out.tableLinetypes(5);
    dxf.writeLinetype(out, DL_LinetypeData("BYBLOCK", "", 0, 0, 0));
    dxf.writeLinetype(out, DL_LinetypeData("BYLAYER", "", 0, 0, 0));
    dxf.writeLinetype(out, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0));
    WriteLinetype(dxf, out, "DASHED", "Fold line", Stroke::Fold);
    WriteLinetype(dxf, out, "CENTER", "Centre line", Stroke::Centre);
    out.tableEnd();

    out.tableLayers(pieCuts ? 5 : 4);
    // Line weights in hundredths of a millimetre; -3 is the drawing's default.
    struct LayerLook {
        const char *name;
        int colour;
        int weight;
    };
    const LayerLook layers[] = {
        {"0", kWhite, -3}, {kCutLayer, kWhite, 30}, {kMarkLayer, kBlue, -3}, {kTextLayer, kBlue, -3}};
    for (const LayerLook &layer : layers)
        dxf.writeLayer(out, DL_LayerData(layer.name, 0),
                       DL_Attributes("", layer.colour, layer.weight, "CONTINUOUS", 1.0));
    if (pieCuts)
        dxf.writeLayer(out, DL_LayerData(kPieCutLayer, 0), DL_Attributes("", kRed, 30, "CONTINUOUS", 1.0));
    out.tableEnd();

    out.tableStyle(1);
    dxf.writeStyle(out, DL_StyleData(kTextStyle, 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
    out.tableEnd();

    dxf.writeView(out);
    dxf.writeUcs(out);
    out.tableAppid(1);
    dxf.writeAppid(out, "ACAD");
    out.tableEnd();
    dxf.writeDimStyle(out, 1, 1, 1, 1, 1);
    // Model space and one paper space, under the handles dxflib gives
    // their blocks; its own table adds a second paper space without a layout.
    out.dxfString(0, "TABLE");
    out.dxfString(2, "BLOCK_RECORD");
    out.dxfHex(5, 1);
    out.dxfString(100, "AcDbSymbolTable");
    out.dxfInt(70, 2);
    for (const auto &[handle, name] : {std::pair{0x1F, "*Model_Space"}, std::pair{0x1B, "*Paper_Space"}}) {
        out.dxfString(0, "BLOCK_RECORD");
        out.dxfHex(5, handle);
        out.dxfHex(330, 1);
        out.dxfString(100, "AcDbSymbolTableRecord");
        out.dxfString(100, "AcDbBlockTableRecord");
        out.dxfString(2, name);
    }
    out.tableEnd();
    out.sectionEnd();

    out.sectionBlocks();
    for (const char *block : {"*Model_Space", "*Paper_Space"}) {
        dxf.writeBlock(out, DL_BlockData(block, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(out, block);
    }
    out.sectionEnd();
}

DL_Attributes AttributesOf(Stroke stroke) {
    const StrokeLayer where = LayerOf(stroke);
    return DL_Attributes(where.layer, 256, -1, where.linetype, 1.0);
}

// A closed LWPOLYLINE through the outline's corners; each arc is the bulge of
// the vertex it leaves, tan(sweep / 4), negative clockwise: exact, and one
// contour a cutting machine can offset for its kerf.
void WriteOutline(DL_Dxf &dxf, DxfText &out, const Contour &cut, double dx, double dy) {
    struct Vertex {
        Point2 at;
        double bulge;
    };
    std::vector<Vertex> vertices;
    for (const Step &step : cut) {
        if (const Arc *arc = std::get_if<Arc>(&step.shape)) {
            const double bulge = std::tan((arc->endAngle - arc->startAngle) * std::numbers::pi / 720);
            vertices.push_back({StartOf(step), step.reversed ? -bulge : bulge});
        } else if (const Polyline *poly = std::get_if<Polyline>(&step.shape)) {
            const std::size_t n = poly->points.size();
            for (std::size_t i = 0; i + 1 < n; ++i)
                vertices.push_back({poly->points[step.reversed ? n - 1 - i : i], 0});
        } else {
            vertices.push_back({StartOf(step), 0});
        }
    }
    constexpr int kClosed = 1;
    dxf.writePolyline(out, DL_PolylineData(static_cast<int>(vertices.size()), 0, 0, kClosed),
                      AttributesOf(Stroke::Cut));
    for (const Vertex &v : vertices)
        dxf.writeVertex(out, DL_VertexData(v.at.x + dx, v.at.y + dy, 0, v.bulge));
    dxf.writePolylineEnd(out);
}

void WriteMark(DL_Dxf &dxf, DxfText &out, const Edge &edge, double dx, double dy) {
    const DL_Attributes attributes = AttributesOf(edge.stroke);
    if (const Line *line = std::get_if<Line>(&edge.shape)) {
        dxf.writeLine(
            out, DL_LineData(line->from.x + dx, line->from.y + dy, 0, line->to.x + dx, line->to.y + dy, 0),
            attributes);
    } else if (const Arc *arc = std::get_if<Arc>(&edge.shape)) {
        dxf.writeArc(out,
                     DL_ArcData(arc->centre.x + dx, arc->centre.y + dy, 0, arc->radius, arc->startAngle,
                                arc->endAngle),
                     attributes);
    } else {
        const std::vector<Point2> &points = std::get<Polyline>(edge.shape).points;
        dxf.writePolyline(out, DL_PolylineData(static_cast<int>(points.size()), 0, 0, 0), attributes);
        for (const Point2 &p : points)
            dxf.writeVertex(out, DL_VertexData(p.x + dx, p.y + dy, 0, 0));
        dxf.writePolylineEnd(out);
    }
}

void WritePiece(DL_Dxf &dxf, DxfText &out, const Piece &piece, double dx, double dy) {
    WriteOutline(dxf, out, piece.cut, dx, dy);
    for (const Edge &edge : piece.marks)
        WriteMark(dxf, out, edge, dx, dy);
    // Centred both ways on the label's point, which the alignment point
    // carries; the insertion point repeats it for readers that ignore it.
    constexpr int kCentre = 1, kMiddle = 2;
    for (const Label &label : piece.labels) {
        const double x = label.at.x + dx, y = label.at.y + dy;
        dxf.writeText(out,
                      DL_TextData(x, y, 0, x, y, 0, label.height, 1.0, 0, kCentre, kMiddle, label.text,
                                  kTextStyle, 0.0),
                      DL_Attributes(kTextLayer, 256, -1, "BYLAYER", 1.0));
    }
}

// The root dictionary and its group dictionary, each naming its owner: the
// smallest object section a reader accepts without repairs.
void WriteObjects(DxfText &out) {
    out.dxfString(0, "SECTION");
    out.dxfString(2, "OBJECTS");
    out.dxfString(0, "DICTIONARY");
    out.dxfHex(5, 0xC);
    out.dxfString(330, "0");
    out.dxfString(100, "AcDbDictionary");
    out.dxfInt(281, 1);
    out.dxfString(3, "ACAD_GROUP");
    out.dxfHex(350, 0xD);
    out.dxfString(0, "DICTIONARY");
    out.dxfHex(5, 0xD);
    out.dxfHex(330, 0xC);
    out.dxfString(100, "AcDbDictionary");
    out.dxfInt(281, 1);
    out.dxfString(0, "ENDSEC");
}

} // namespace

std::string PatternDxf(const std::vector<SectionPattern> &patterns) {
    DL_Dxf dxf;
    DxfText out(DL_Codes::AC1015);
    dxf.writeHeader(out);
    out.dxfString(9, "$INSUNITS");
    out.dxfInt(70, kMillimetres);
    out.dxfString(9, "$MEASUREMENT");
    out.dxfInt(70, 1); // metric
    out.sectionEnd();
    bool pieCuts = false;
    for (const SectionPattern &pattern : patterns)
        for (const Piece &piece : pattern.pieceList)
            for (const Edge &edge : piece.marks)
                pieCuts = pieCuts || edge.stroke == Stroke::PieCut;
    WriteTables(dxf, out, pieCuts);

    out.sectionEntities();
    for (const PlacedPiece &placed : PlaceSideBySide(patterns).pieces)
        WritePiece(dxf, out, *placed.piece, placed.dx, placed.dy);
    out.sectionEnd();
    WriteObjects(out);
    out.dxfEOF();
    return out.text();
}

} // namespace quorvane
