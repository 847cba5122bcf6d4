#pragma once

// The toolkit's own texts (an edit field's context menu, the buttons of standard
// dialogs) in Traditional Chinese, from the toolkit's translation that the system
// installs (qtbase_zh_TW.qm). The program's own texts are Chinese already.

class QCoreApplication;

// False when the translation is not installed; the toolkit then speaks English.
bool installToolkitTranslation(QCoreApplication &app);
