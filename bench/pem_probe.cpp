// Reads a PEM file as the conversion does and reports the memory it took.
// Usage: pem_probe FILE
// Prints "blocks N baseline_kb B peak_kb P".
#include "ProbeMemory.h"
#include "pipeline/PemText.h"

#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const long baseline = procStatusKb("VmRSS");
    const std::optional<PemText> text = PemText::read(QString::fromLocal8Bit(argv[1]));
    const qsizetype blocks = text ? text->certificateBlocks().size() : -1;
    std::printf("blocks %lld baseline_kb %ld peak_kb %ld\n", static_cast<long long>(blocks),
                baseline, procStatusKb("VmHWM"));
    return blocks < 0 ? 1 : 0;
}
