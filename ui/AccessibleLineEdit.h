#pragma once

// Makes every one-line field, the dialogs' among them, read by screen readers with its whole
// text: Qt 6.4's own reading gives its text attributes as empty runs, and Orca 43, which builds
// what it says from those runs, then drops the field's last character.
void installAccessibleLineEdits();

class QLineEdit;

// A field reached by Tab selects its text once screen readers are told of the focus, not
// before: told of the selection first, they read the text, then again with the field.
void selectAfterFocus(QLineEdit* field);
