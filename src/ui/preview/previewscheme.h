#pragma once

// The preview browsers' own addresses (app::PageAddress, app::LiveAddress): every page is
// made from the project when a browser asks for it, so a preview writes nothing to disk and
// costs one page however large the project is. The scheme must be registered before the
// application object exists.
//
// A page is a library's help string or a shared project's text, and may carry scripts: its
// browser is sealed, so that it can load only what this scheme serves and can neither read
// the author's other files nor send anything to another machine.

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

// Call it before the QApplication as well: the web engine then prepares its graphics (the
// OpenGL context its pages share with the windows, which loads the system's OpenGL libraries)
// with the first browser instead of with the application object, so that a window without a
// browser opens without that cost. PreviewProfile() does it.
void DeferWebEngineStart();

// The profile of every browser that shows pages (the preview window, the view mode, the live
// pane), sealed when first asked for. A request interceptor refuses every request this scheme
// does not serve (inline "data:", "blob:" and "about:" addresses aside, which reach nothing
// outside the page), the top frame's included. Behind it the engine refuses as well: the
// scheme is no local one, so its pages get no file address; every page starts with a policy
// that allows nothing but this scheme and inline bytes; and the settings keep local content
// (an empty frame) from file and remote addresses. Scripts still run, inside that seal.
QWebEngineProfile* PreviewProfile();

// The browser's URL of a target of the window port: a page address of the preview,
// "about:blank", or a local file (found without regard to letter case, as a compiled help
// file finds its pages), which is then served from its folder at an address of this scheme.
QUrl BrowserUrl(const std::string& target);

// Gives the browsers of PreviewProfile() the pages of `pages` while `owner` lives. An address
// that is no page (a picture a page shows) is the file of that name in the pages' file
// folder, letter case ignored, and never a file outside it. A later call replaces the source.
// It starts no web engine: before the first browser the source is kept for the profile.
void ServePreviewPages(QObject* owner, app::PreviewPages& pages);

}  // namespace qs::ui
