#include "pipeline/GraphemeText.h"

#include <QTextBoundaryFinder>

namespace {

// Where the first `count` characters end, or -1 when the text holds fewer. A boundary depends
// only on what precedes it and the code point after it, so a window that holds that code point
// whole gives the same answer as the whole text and spares segmenting megabytes of tool output.
qsizetype endOfGraphemes(QStringView text, qsizetype count) {
    for (qsizetype window = count * 4 + 16;; window *= 4) {
        QStringView part = text.first(qMin(window, text.size()));
        const bool whole = part.size() == text.size();
        // Never end the window between the halves of a surrogate pair.
        if (!whole && part.back().isHighSurrogate())
            part.chop(1);
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, part.data(), part.size());
        qsizetype position = 0;
        qsizetype found = 0;
        for (; found < count; ++found) {
            const qsizetype next = finder.toNextBoundary();
            if (next < 0)
                break;
            position = next;
        }
        if (found == count && (position < part.size() || whole))
            return position;
        if (whole)
            return -1;
    }
}

} // namespace

QString graphemeExcerpt(QStringView text, qsizetype limit) {
    // A character is at least one unit, so a short text is whole.
    if (text.size() <= limit)
        return text.toString();
    const qsizetype end = endOfGraphemes(text, limit);
    if (end < 0 || end == text.size())
        return text.toString();
    return text.first(end).toString() + QStringLiteral("...");
}
