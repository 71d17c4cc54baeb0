#include "core/RunReport.h"

StatusKind RunReport::kind() const {
    switch (outcome) {
    case Outcome::none:
    case Outcome::saveCancelled:
    case Outcome::stopped:
        return StatusKind::notice;
    case Outcome::derSaved:
    case Outcome::chainSavedAsPem:
    case Outcome::certificateSavedAsPem:
    case Outcome::chainListed:
        return warnings.isEmpty() ? StatusKind::success : StatusKind::warning;
    default:
        return StatusKind::failure;
    }
}
