#pragma once

#include <QString>

// The step of a run. The raw value doubles as the text the progress section shows.
enum class ProcessingStep { none, downloading, downloaded, converting, completed, failed };

QString rawValue(ProcessingStep step);
