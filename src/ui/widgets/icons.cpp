#include "ui/widgets/icons.h"

namespace qs::ui {

namespace {

// The images are built into the program; QIcon draws them through its scalable-image engine
// at whatever size and pixel ratio a control asks for.
QIcon Builtin(const char* name) {
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

}  // namespace

QIcon PageIcon() {
  return Builtin("page");
}
QIcon BlankPageIcon() {
  return Builtin("page-blank");
}
QIcon IndexIcon() {
  return Builtin("index");
}
QIcon UpArrowIcon() {
  return Builtin("arrow-up");
}
QIcon DownArrowIcon() {
  return Builtin("arrow-down");
}
QIcon LeftArrowIcon() {
  return Builtin("arrow-left");
}
QIcon RightArrowIcon() {
  return Builtin("arrow-right");
}
QIcon BothWaysArrowIcon() {
  return Builtin("arrow-left-right");
}
QIcon LiveIcon() {
  return Builtin("live");
}
QIcon CrossIcon() {
  return Builtin("cross");
}
QIcon ProgramIcon() {
  // The same picture the package installs for the desktop's menus; asking the icon theme for
  // it would search every theme folder before the window could open.
  return Builtin("quillsmith");
}

}  // namespace qs::ui
