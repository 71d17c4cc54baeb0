#pragma once

// Makes the activity log read by screen readers line by line, whole and without its pictures:
// Qt counts a pictograph outside the basic plane as two characters where screen readers count
// one, which cut the last character off every line that has one. The log's text itself, as
// shown and copied, is unchanged.
void installAccessibleLog();
