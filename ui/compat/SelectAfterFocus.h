#pragma once

class QLineEdit;

// Qt before 6.8 (measured: Debian 12's Qt 6.4 with Orca 43 needs it, Debian 13's Qt 6.8 with
// Orca 48 does not): a field reached by Tab selects its text once screen readers are told of
// the focus, not before. Told of the selection first, Orca 43 reads the text, then again with
// the field. From Qt 6.8 on the field selects its text as Qt does.
void selectAfterFocus(QLineEdit* field);
