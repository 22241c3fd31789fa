// What the program sets up once its application object exists, before the
// frame: shared by the program and the start-up benchmark.
#pragma once

class QTranslator;

namespace zx {

// Names the program, makes German the default language and installs
// toolkitTexts with the toolkit's own German texts (shortcut names in the
// menus, the child windows' system menus, the edit fields' context menus;
// without the translation file they stay in English), and maps the faces the
// puzzles and windows name to metric-compatible free fonts.
void PrepareApplication(QTranslator& toolkitTexts);

} // namespace zx
