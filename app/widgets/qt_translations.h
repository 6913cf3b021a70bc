#pragma once

class QCoreApplication;

namespace tavrin {

// Loads Qt's own Simplified Chinese texts (standard buttons, edit-box context menus)
// from Qt's translations folder, or from a "translations" folder beside the program
// (a deployed Windows folder). Returns false when none were found: English then stays.
bool installChineseQtTranslations(QCoreApplication& application);

} // namespace tavrin
