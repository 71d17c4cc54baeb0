#pragma once

// Qt's own texts in Turkish (file dialogs, message boxes, the context menus of text fields), so
// they read like the rest of the window: Qt's catalogue, the app's own (the words Qt's lacks;
// the app's texts are written in Turkish), and Turkish as the default locale. Needs a
// QCoreApplication; false when Qt's catalogue is not installed.
bool installQtTurkishTranslations();
