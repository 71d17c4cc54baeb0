#pragma once

#include <QString>

// The step of a run. The raw value doubles as the text the progress section shows.
enum class ProcessingStep { none, downloading, downloaded, converting, completed, failed };

QString rawValue(ProcessingStep step);

// How far the progress bar stands at each milestone of a run.
namespace Progress {
inline constexpr double idle = 0.0;        // nothing started, or a save cancelled
inline constexpr double addressRead = 0.1; // a download has read what was typed
inline constexpr double routeChosen = 0.3; // and knows whether it goes through a proxy
inline constexpr double started = 0.5;     // the tool is fetching; a file or a save has begun
inline constexpr double fetched = 0.8;     // the tool has ended
inline constexpr double chainSaved = 0.9;  // the chain is in the working folder
inline constexpr double converting = 0.95; // the certificate goes to the tool
inline constexpr double ended = 1.0;       // completed or failed
} // namespace Progress
