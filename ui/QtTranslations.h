#pragma once

// Loads Qt's Turkish translations for its own texts (file dialogs, message boxes, the context
// menus of text fields), so they read like the rest of the window. Needs a QCoreApplication;
// false when the translations are not installed.
bool installQtTurkishTranslations();
