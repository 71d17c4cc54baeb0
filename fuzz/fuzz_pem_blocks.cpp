// Certificate blocks cut out of any text: as UTF-16 text and, for valid UTF-8, as bytes.
#include "FuzzCheck.h"
#include "pipeline/PemInspection.h"
#include "pipeline/TextDecoding.h"

#include <QList>
#include <QString>

namespace {

// Every block begins with BEGIN, holds an END after it, ends at most one character past that
// END, and the next block starts no earlier than the end of that END marker.
template <typename View> void checkRanges(View text, const QList<TextRange>& ranges) {
    qsizetype previousEndOfMarker = 0;
    for (const TextRange& range : ranges) {
        FUZZ_CHECK(range.start >= previousEndOfMarker);
        FUZZ_CHECK(range.length > 0 && range.start + range.length <= text.size());
        const View block = text.sliced(range.start, range.length);
        FUZZ_CHECK(block.startsWith(beginCertificateMarker));
        const qsizetype end = block.indexOf(endCertificateMarker, beginCertificateMarker.size());
        FUZZ_CHECK(end >= 0);
        const qsizetype endOfMarker = end + endCertificateMarker.size();
        // Only the first END after BEGIN closes the block.
        FUZZ_CHECK(block.indexOf(endCertificateMarker, beginCertificateMarker.size()) == end);
        FUZZ_CHECK(block.size() >= endOfMarker);
        FUZZ_CHECK(block.size() == endOfMarker || range.start + endOfMarker < text.size());
        previousEndOfMarker = range.start + endOfMarker;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));

    // Any sequence of UTF-16 units, lone surrogates included.
    const QString units(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    checkRanges(QStringView(units), certificateBlockRanges(QStringView(units)));
    const QList<QString> blocks = extractCertificateBlocks(units);
    FUZZ_CHECK(blocks.size() == certificateBlockRanges(QStringView(units)).size());

    if (isStrictUtf8(bytes)) {
        // Searching the bytes finds exactly the blocks that searching the text finds.
        const QString text = QString::fromUtf8(bytes);
        const QList<TextRange> byteRanges = certificateBlockRanges(bytes);
        checkRanges(bytes, byteRanges);
        const QList<QString> textBlocks = extractCertificateBlocks(text);
        FUZZ_CHECK(byteRanges.size() == textBlocks.size());
        for (qsizetype i = 0; i < byteRanges.size(); ++i) {
            const QByteArrayView block = bytes.sliced(byteRanges[i].start, byteRanges[i].length);
            FUZZ_CHECK(QString::fromUtf8(block) == textBlocks[i]);
        }
    }
    return 0;
}
