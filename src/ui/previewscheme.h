#pragma once

// The preview browsers' own addresses (app::PageAddress, app::LiveAddress): every page is
// made from the project when a browser asks for it, so a preview writes nothing to disk and
// costs one page however large the project is. The scheme must be registered before the
// application object exists.

#include <QUrl>
#include <string>

class QObject;
class QWebEngineProfile;

namespace qs::app {
class PreviewPages;
}

namespace qs::ui {

// Registers the scheme "preview" with host names; call it before the QApplication.
void RegisterPreviewScheme();

// The browser's URL of a target of the window port: a page address of the preview, a local
// file (found without regard to letter case, as a compiled help file finds its pages), or
// "about:blank".
QUrl BrowserUrl(const std::string& target);

// Gives the browsers of `profile` the pages of `pages` while `owner` lives. An address that
// is no page (a picture a page shows) is the file of that name in the pages' file folder,
// letter case ignored, and never a file outside it. A later call replaces the source.
void ServePreviewPages(QWebEngineProfile* profile, QObject* owner, app::PreviewPages& pages);

}  // namespace qs::ui
