// The entry of the web-view module (webviews.h): the only part of the program that links the
// web engine, loaded when the first browser is asked for.

#include <QQuickWindow>
#include <QtGlobal>

#include "ui/preview/previewprofile.h"
#include "ui/preview/webpageview.h"
#include "ui/preview/webviews.h"

namespace qs::ui {
namespace {

class EngineViews final : public WebViews {
 public:
  explicit EngineViews(PageSource& source) : source_(source) {}

  PageView* MakeView(QWidget* parent) override {
    return new WebPageView(PreviewProfile(source_), parent);
  }

 private:
  PageSource& source_;
};

}  // namespace
}  // namespace qs::ui

extern "C" Q_DECL_EXPORT qs::ui::WebViews* QuillSmithWebViews(qs::ui::PageSource* source) {
  static const bool prepared = [] {
    // Linked into a program, the engine would have asked for this before the application
    // object: its pages are drawn with OpenGL, through the context the program shares.
    const QSGRendererInterface::GraphicsApi api = QQuickWindow::graphicsApi();
    if (api != QSGRendererInterface::OpenGL && api != QSGRendererInterface::Vulkan &&
        api != QSGRendererInterface::Metal && api != QSGRendererInterface::Direct3D11) {
      QQuickWindow::setGraphicsApi(QSGRendererInterface::OpenGL);
    }
    qs::ui::RegisterPreviewScheme();
    return true;
  }();
  Q_UNUSED(prepared);
  // Lives as long as the program: the browsers' profile keeps asking its source.
  static qs::ui::EngineViews views(*source);
  return &views;
}
