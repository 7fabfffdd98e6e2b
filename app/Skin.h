#pragma once

class QApplication;
class QString;

// The program's look: one style sheet and palette for every window and standard dialog.
// Widgets with the property skinExempt (the speed buttons of the toolbar and the player) keep a
// look of their own: no rule of the skin names their class.
namespace Skin {

QString StyleSheet();
void Apply(QApplication& app);

} // namespace Skin
