#pragma once

// Qt's own texts in Turkish (file dialogs, message boxes, the context menus of text fields), so
// they read like the rest of the window: Qt's catalogue, the few words it lacks, and Turkish as
// the default locale. Needs a QCoreApplication; false when the catalogue is not installed.
bool installQtTurkishTranslations();
