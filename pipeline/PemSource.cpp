#include "pipeline/PemSource.h"

PemSource PemSource::inspect(std::optional<PemText> text) {
    PemSource source;
    if (text) {
        source.blocks = text->certificateBlocks();
        if (!source.blocks.isEmpty())
            source.first = readCertificateBlock(text->bytes(source.blocks.front()));
    }
    source.text = std::move(text);
    return source;
}
