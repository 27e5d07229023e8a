#pragma once

// The preview browsers' own addresses (app::PageAddress, app::LiveAddress): every page is
// made from the project when a browser asks for it, so a preview writes nothing to disk and
// costs one page however large the project is. The browsers themselves, and the scheme's
// seal, live in the web-view module (previewprofile.h); this is the program's side, which
// answers what an address leads to and starts nothing of the web engine.

#include <QUrl>
#include <string>

class QObject;

namespace qs::app {
class PreviewPages;
}

namespace qs::ui {

class PageSource;

// Call it before the QApplication: the web engine then prepares its graphics (the OpenGL
// context its pages share with the windows, which loads the system's OpenGL libraries) with
// the first browser instead of with the application object, so that a window without a
// browser opens without that cost. StartWebEngineGraphics() does it.
void DeferWebEngineStart();

// What the web engine would have done as the application object was made; MakePageView
// calls it before each browser is made.
void StartWebEngineGraphics();

// The browser's URL of a target of the window port: a page address of the preview,
// "about:blank", or a local file (found without regard to letter case, as a compiled help
// file finds its pages), which is then served from its folder at an address of this scheme.
QUrl BrowserUrl(const std::string& target);

// Gives the browsers the pages of `pages` while `owner` lives. An address that is no page (a
// picture a page shows) is the file of that name in the pages' file folder, letter case
// ignored, and never a file outside it. A later call replaces the source. It starts no web
// engine.
void ServePreviewPages(QObject* owner, app::PreviewPages& pages);

// What the browsers' addresses lead to, as the calls above set it: handed to the web-view
// module when it is loaded.
PageSource& PreviewSource();

}  // namespace qs::ui
