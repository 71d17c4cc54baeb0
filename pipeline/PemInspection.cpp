#include "pipeline/PemInspection.h"

#include "pipeline/GraphemeText.h"

QList<QString> extractCertificateBlocks(QStringView text) {
    QList<QString> blocks;
    qsizetype searchFrom = 0;
    while (true) {
        const qsizetype begin = text.indexOf(beginCertificateMarker, searchFrom);
        if (begin < 0)
            break;
        const qsizetype end =
            text.indexOf(endCertificateMarker, begin + beginCertificateMarker.size());
        if (end < 0)
            break;
        const qsizetype endOfMarker = end + endCertificateMarker.size();
        const qsizetype blockEnd = endOfMarker + graphemeLengthAt(text, endOfMarker);
        blocks.append(text.sliced(begin, blockEnd - begin).toString());
        // The character after the END marker belongs to the block but is searched again.
        searchFrom = endOfMarker;
    }
    return blocks;
}
