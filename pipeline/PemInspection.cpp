#include "pipeline/PemInspection.h"

#include "pipeline/GraphemeText.h"

#include <cstring>

namespace {

qsizetype find(QStringView text, QLatin1StringView marker, qsizetype from) {
    return text.indexOf(marker, from);
}

qsizetype find(QByteArrayView bytes, QLatin1StringView marker, qsizetype from) {
    // memmem must not be given the null data of an empty text.
    if (bytes.size() - from < marker.size())
        return -1;
    const void* found = memmem(bytes.data() + from, size_t(bytes.size() - from), marker.data(),
                               size_t(marker.size()));
    return found ? static_cast<const char*>(found) - bytes.data() : -1;
}

qsizetype characterLength(QStringView text, qsizetype position) {
    return graphemeLengthAt(text, position);
}

qsizetype characterLength(QByteArrayView bytes, qsizetype position) {
    return graphemeLengthAtUtf8(bytes, position);
}

template <typename View> QList<TextRange> blockRanges(View text) {
    QList<TextRange> blocks;
    qsizetype searchFrom = 0;
    while (true) {
        const qsizetype begin = find(text, beginCertificateMarker, searchFrom);
        if (begin < 0)
            break;
        const qsizetype end =
            find(text, endCertificateMarker, begin + beginCertificateMarker.size());
        if (end < 0)
            break;
        const qsizetype endOfMarker = end + endCertificateMarker.size();
        const qsizetype blockEnd = endOfMarker + characterLength(text, endOfMarker);
        blocks.append({begin, blockEnd - begin});
        // The character after the END marker belongs to the block but is searched again.
        searchFrom = endOfMarker;
    }
    return blocks;
}

} // namespace

QList<TextRange> certificateBlockRanges(QStringView text) {
    return blockRanges(text);
}

QList<TextRange> certificateBlockRanges(QByteArrayView utf8) {
    return blockRanges(utf8);
}

QList<QString> extractCertificateBlocks(QStringView text) {
    QList<QString> blocks;
    for (const TextRange& range : certificateBlockRanges(text))
        blocks.append(text.sliced(range.start, range.length).toString());
    return blocks;
}
