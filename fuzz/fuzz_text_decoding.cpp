// Reading a picked file or the tool's output as text: the byte-order mark chooses the encoding,
// otherwise UTF-8; and what the log shows of a long text.
#include "FuzzCheck.h"
#include "pipeline/GraphemeText.h"
#include "pipeline/TextDecoding.h"

#include <QStringEncoder>
#include <QTextBoundaryFinder>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    const std::optional<QString> text = decodeTextFileBytes(bytes);
    const std::optional<ByteOrderMark> mark = byteOrderMark(bytes);

    // The quick check used for big files agrees with the decoder.
    if (!mark)
        FUZZ_CHECK(isStrictUtf8(bytes) == text.has_value());
    const std::optional<QString> utf8 = decodeUtf8Strictly(bytes);
    FUZZ_CHECK(utf8.has_value() == isStrictUtf8(bytes));
    // Every encoding decodes strictly: what it decodes encodes back to the same bytes.
    for (const auto encoding :
         {QStringConverter::Utf8, QStringConverter::Utf16LE, QStringConverter::Utf16BE,
          QStringConverter::Utf32LE, QStringConverter::Utf32BE}) {
        if (const std::optional<QString> decoded = decodeStrictly(bytes, encoding)) {
            QStringEncoder back(encoding, QStringConverter::Flag::Stateless);
            FUZZ_CHECK(QByteArray(back.encode(*decoded)) == bytes);
        }
    }
    // An excerpt is the text's first characters, cut after `limit` of them and marked so.
    if (utf8) {
        const qsizetype limit = bytes.isEmpty() ? 0 : uchar(bytes.front()) % 16;
        QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, *utf8);
        qsizetype end = 0;
        for (qsizetype i = 0; i < limit && end < utf8->size(); ++i)
            end = characters.toNextBoundary();
        const QString excerpt = graphemeExcerpt(*utf8, limit);
        FUZZ_CHECK(end == utf8->size() ? excerpt == *utf8
                                       : excerpt == utf8->first(end) + QStringLiteral("..."));
    }
    if (!text)
        return 0;

    // Whatever decodes is well-formed text that encodes back to the very same bytes: nothing
    // was dropped or replaced on the way.
    FUZZ_CHECK(text->isValidUtf16());
    const QStringConverter::Encoding encoding = mark ? mark->encoding : QStringConverter::Utf8;
    QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
    const QByteArray again = encoder.encode(*text);
    FUZZ_CHECK(again == bytes.sliced(mark ? mark->length : 0));
    return 0;
}
