#pragma once

// Makes the read-only texts (the activity log, the status and the certificate details) read by
// screen readers a line of the text at a time, whatever its wrapping on screen, each line whole
// and without its pictures, each blanked where it stands so that offsets stay those of the shown
// text: Qt reads a wrapped text by screen line, and counts a pictograph outside the basic plane
// as two characters where screen readers count one, which cut the last character off every line
// that has one. The texts themselves, as shown and copied, are unchanged.
void installAccessibleDocuments();
