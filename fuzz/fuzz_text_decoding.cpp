// Reading a picked file as text: the byte-order mark chooses the encoding, otherwise UTF-8.
#include "FuzzCheck.h"
#include "pipeline/TextDecoding.h"

#include <QStringEncoder>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    const std::optional<QString> text = decodeTextFileBytes(bytes);
    const std::optional<ByteOrderMark> mark = byteOrderMark(bytes);

    // The quick check used for big files agrees with the decoder.
    if (!mark)
        FUZZ_CHECK(isStrictUtf8(bytes) == text.has_value());
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
