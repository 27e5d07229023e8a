#pragma once

// What the program and its web-view module (quillsmith-webviews) hand each other. The program
// links no part of the web engine: it loads the module when the first browser is asked for and
// calls the function named kWebViewsEntry, which returns the module's WebViews.

#include <QByteArray>
#include <QString>
#include <optional>

class QWidget;

namespace qs::ui {

class PageView;

// Where the browsers' addresses lead, answered by the program: the module only serves what it
// is given, behind its seal.
class PageSource {
 public:
  virtual ~PageSource() = default;
  // The page `path` of the pages at `host`, made now; none when the address is no page.
  virtual std::optional<QByteArray> Page(const QString& host, const QString& path) = 0;
  // The existing file `path` below the folder whose files the pages at `host` may show,
  // letter case ignored; empty when there is none there (nor outside it, ever).
  virtual QString File(const QString& host, const QString& path) = 0;
};

class WebViews {
 public:
  virtual ~WebViews() = default;
  // A browser, a child of `parent` when one is given, of the one sealed profile that every
  // browser of the program shares. The first starts the web engine.
  virtual PageView* MakeView(QWidget* parent) = 0;
};

// The module's one exported function: WebViews* (PageSource* source). It registers the
// preview's scheme (which the engine accepts only before it starts) and serves `source`,
// which must outlive the program's browsers.
inline constexpr char kWebViewsEntry[] = "QuillSmithWebViews";
using WebViewsEntry = WebViews* (*)(PageSource* source);

}  // namespace qs::ui
