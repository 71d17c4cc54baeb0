#pragma once

#include <QHashFunctions>
#include <QList>
#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

// The step of a run. The raw value doubles as the text the progress section shows.
enum class ProcessingStep { none, downloading, downloaded, converting, completed, failed };

QString rawValue(ProcessingStep step);
const QList<ProcessingStep>& allProcessingSteps();
std::optional<ProcessingStep> processingStepFromRawValue(QStringView text);

inline size_t qHash(ProcessingStep step, size_t seed = 0) noexcept {
    return qHash(rawValue(step), seed);
}

template <> struct std::hash<ProcessingStep> {
    size_t operator()(ProcessingStep step) const noexcept { return qHash(step); }
};
