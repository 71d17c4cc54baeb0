#pragma once

// Makes every one-line field, the dialogs' among them, read by screen readers with its whole
// text, and takes text that assistive technology sets (dictation, a braille display) as the
// person's typing, which Qt's own reading sets without telling the field's listeners. The first
// is needed before Qt 6.8 (measured: with Debian 12's Qt 6.4, Orca 43 drops a field's last
// character from the empty attribute runs Qt gives; Debian 13's Qt 6.8 with Orca 48 reads the
// field whole without it); the second on every version.
void installAccessibleLineEdits();
