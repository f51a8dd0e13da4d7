// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetlayout.h"

#include <algorithm>

namespace quorvane {

SheetLayout PlaceSideBySide(const std::vector<SectionPattern> &patterns) {
    SheetLayout layout;
    double x = 0;
    for (const SectionPattern &pattern : patterns) {
        int number = 0;
        for (const Piece &piece : pattern.pieceList) {
            layout.pieces.push_back(
                {&pattern, &piece, ++number, x - piece.bounds.left, -piece.bounds.bottom});
            layout.bounds.right = x + piece.bounds.width();
            layout.bounds.top = std::max(layout.bounds.top, piece.bounds.height());
            x += piece.bounds.width() + kPieceGap;
        }
    }
    return layout;
}

} // namespace quorvane
