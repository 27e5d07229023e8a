#pragma once

// The web-view module's side of the preview's addresses (see previewscheme.h for the
// program's): the scheme, its handler and the seal of the profile every browser shares.
//
// A page is a library's help string or a shared project's text, and may carry scripts: its
// browser is sealed, so that it can load only what this scheme serves and can neither read
// the author's other files nor send anything to another machine.

class QWebEngineProfile;

namespace qs::ui {

class PageSource;

// Registers the scheme "preview" with host names. The engine takes it only before it starts
// (before the first profile), not necessarily before the application object.
void RegisterPreviewScheme();

// The profile of every browser that shows pages (the preview window, the view mode, the live
// pane), sealed and serving `source` from the first call on. A request interceptor refuses
// every request this scheme does not serve (inline "data:", "blob:" and "about:" addresses
// aside, which reach nothing outside the page), the top frame's included. Behind it the engine
// refuses as well: the scheme is no local one, so its pages get no file address; every page
// starts with a policy that allows nothing but this scheme and inline bytes; and the settings
// keep local content (an empty frame) from file and remote addresses. Scripts still run,
// inside that seal.
QWebEngineProfile* PreviewProfile(PageSource& source);

}  // namespace qs::ui
