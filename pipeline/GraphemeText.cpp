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

qsizetype graphemeLengthAt(QStringView text, qsizetype position) {
    const QStringView rest = text.sliced(position);
    if (rest.isEmpty())
        return 0;
    if (rest.startsWith(u"\r\n"))
        return 2;
    if (rest.front() == u'\n')
        return 1;
    return endOfGraphemes(rest, 1);
}

qsizetype graphemeLengthAtUtf8(QByteArrayView utf8, qsizetype position) {
    const QByteArrayView rest = utf8.sliced(position);
    if (rest.startsWith("\r\n"))
        return 2;
    // An ASCII character other than CR is a whole character unless a mark follows it, and
    // every mark is outside ASCII.
    if (rest.isEmpty() || (uchar(rest.front()) < 0x80 && rest.front() != '\r' &&
                           (rest.size() == 1 || uchar(rest[1]) < 0x80)))
        return rest.isEmpty() ? 0 : 1;
    for (qsizetype window = 64;; window *= 4) {
        QByteArrayView part = rest.first(qMin(window, rest.size()));
        const bool whole = part.size() == rest.size();
        // Never cut a multi-byte sequence: drop its lead and continuation bytes.
        while (!whole && !part.isEmpty() && (uchar(part.back()) & 0xC0) == 0x80)
            part.chop(1);
        if (!whole && !part.isEmpty() && uchar(part.back()) >= 0xC0)
            part.chop(1);
        const QString decoded = QString::fromUtf8(part);
        const qsizetype length = graphemeLengthAt(decoded, 0);
        if (length < decoded.size() || whole)
            return QStringView(decoded).first(length).toUtf8().size();
    }
}

QString graphemeExcerpt(QStringView text, qsizetype limit) {
    // A character is at least one unit, so a short text is whole.
    if (text.size() <= limit)
        return text.toString();
    const qsizetype end = endOfGraphemes(text, limit);
    if (end < 0 || end == text.size())
        return text.toString();
    return text.first(end).toString() + QStringLiteral("...");
}
