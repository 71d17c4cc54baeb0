#include "pipeline/TextDecoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

std::optional<QString> decodeStrictly(QByteArrayView bytes, QStringConverter::Encoding encoding) {
    // Stateless: a sequence cut short at the end is an error, not something to wait for.
    // ConvertInitialBom: the bytes are taken as they are; a byte-order mark that chose the
    // encoding has already been cut off by the caller.
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless |
                                         QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    // Qt's UTF-16 and UTF-32 decoders let a cut-off last unit, lone surrogates and code points
    // past U+10FFFF through without flagging them. Text that does not encode back to the very
    // same bytes was not all there.
    if (encoding != QStringConverter::Utf8 &&
        (!text.isValidUtf16() ||
         QByteArray(QStringEncoder(encoding, QStringConverter::Flag::Stateless).encode(text)) !=
             bytes))
        return std::nullopt;
    return text;
}

std::optional<QString> decodeUtf8Strictly(QByteArrayView bytes) {
    return decodeStrictly(bytes, QStringConverter::Utf8);
}

bool isStrictUtf8(QByteArrayView bytes) {
    return bytes.isValidUtf8();
}

std::optional<ByteOrderMark> byteOrderMark(QByteArrayView bytes) {
    // UTF-32 LE must be tested before UTF-16 LE: its mark begins with the same two bytes.
    static const std::pair<QByteArrayView, QStringConverter::Encoding> marks[] = {
        {QByteArrayView("\xFF\xFE\x00\x00", 4), QStringConverter::Utf32LE},
        {QByteArrayView("\x00\x00\xFE\xFF", 4), QStringConverter::Utf32BE},
        {QByteArrayView("\xEF\xBB\xBF", 3), QStringConverter::Utf8},
        {QByteArrayView("\xFF\xFE", 2), QStringConverter::Utf16LE},
        {QByteArrayView("\xFE\xFF", 2), QStringConverter::Utf16BE},
    };
    for (const auto& [mark, encoding] : marks) {
        if (bytes.startsWith(mark))
            return ByteOrderMark{mark.size(), encoding};
    }
    return std::nullopt;
}

std::optional<QString> decodeTextFileBytes(QByteArrayView bytes) {
    const std::optional<ByteOrderMark> mark = byteOrderMark(bytes);
    return mark ? decodeStrictly(bytes.sliced(mark->length), mark->encoding)
                : decodeUtf8Strictly(bytes);
}
