#pragma once

#include <QString>

class QWidget;

namespace qs::ui {

class PageView;
class WebViews;

// The web-view module's file for a program in `programFolder`: beside the program (a build
// tree, a portable copy), else where the installation puts it; empty when neither holds it.
QString WebViewsModule(const QString& programFolder);

// The module at `file`, loaded and serving PreviewSource(); null, with `error` saying why, when
// it cannot be loaded or is no web-view module.
WebViews* LoadWebViews(const QString& file, QString& error);

// A new browser, a child of `parent` when one is given. The first call loads the module of this
// program's folder; null when that cannot be done, as when the system has no web view (the
// reason goes to the log once).
PageView* MakePageView(QWidget* parent = nullptr);

}  // namespace qs::ui
