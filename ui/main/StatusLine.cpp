#include "ui/main/StatusLine.h"

namespace brindlemar {

namespace {

// The separator that opens a piece: ", " before a ratio, "] " before the
// eccentricity, the blank before the first ratio.
qsizetype LeadLength(const QString& piece) {
    qsizetype n = 0;
    while (n < piece.size() && (piece[n] == ',' || piece[n] == ']' || piece[n] == ' ')) ++n;
    return n;
}

}  // namespace

StatusLineLayout WrapStatusLine(const std::array<QString, 6>& pieces, int width, int lineHeight,
                                const std::function<int(const QString&)>& advance) {
    StatusLineLayout out;
    out.Shown = pieces;
    int x = 0;
    int last = -1;  // the last piece with text on the current line
    for (int i = 0; i < 6; ++i) {
        const QString& piece = pieces[i];
        if (!piece.isEmpty()) {
            // keep room at the line's end for the separator a following piece may leave there
            int reserve = 0;
            for (int j = i + 1; j < 6; ++j)
                if (!pieces[j].isEmpty()) {
                    reserve = advance(pieces[j].left(LeadLength(pieces[j])));
                    break;
                }
            if (last >= 0 && x + advance(piece) + reserve > width) {
                const qsizetype lead = LeadLength(piece);
                out.Shown[last] += piece.left(lead);
                out.Widths[last] = advance(out.Shown[last]);
                out.Shown[i] = piece.mid(lead);
                x = 0;
                last = -1;
                ++out.Lines;
            }
        }
        out.At[i] = QPoint(x, (out.Lines - 1) * lineHeight);
        out.Widths[i] = out.Shown[i].isEmpty() ? 0 : advance(out.Shown[i]);
        x += out.Widths[i];
        if (!piece.isEmpty()) last = i;
    }
    return out;
}

}  // namespace brindlemar
