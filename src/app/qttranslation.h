#pragma once

class QCoreApplication;

// Qt's own dialogs and buttons (the colour dialog, a text field's menu) in Chinese, like the rest
// of the program. Looked for in Qt's translations folder first, then in the translations folder
// next to the program, where the Windows program carries it; English where neither has it.
void installQtChineseTranslation(QCoreApplication &application);
