#include "output/websiteassets.h"

namespace qs::output {

// Light and dark follow the reader's system; the sidebar stands beside the text on a wide
// screen and opens over it from the Contents button on a narrow one.
const std::string_view kSiteStyleText = R"css(:root {
  color-scheme: light dark;
  --text: #1d1f23; --muted: #5b6270; --back: #ffffff; --side: #f5f6f8; --line: #d9dce1;
  --link: #00707a; --mark: #e2f3f4; --code: #f3f4f6; --focus: #d35400;
}
@media (prefers-color-scheme: dark) {
  :root {
    --text: #e3e5e8; --muted: #a2a9b4; --back: #16181c; --side: #1e2126; --line: #343840;
    --link: #5cc8d0; --mark: #20393c; --code: #1f2228; --focus: #ff9d4d;
  }
}
* { box-sizing: border-box; }
html { -webkit-text-size-adjust: 100%; }
body {
  margin: 0; background: var(--back); color: var(--text);
  font: 1rem/1.6 system-ui, -apple-system, "Segoe UI", Roboto, "Liberation Sans", sans-serif;
}
a { color: var(--link); }
a:focus-visible, button:focus-visible, input:focus-visible, main:focus-visible {
  outline: 3px solid var(--focus); outline-offset: 2px;
}
.skip { position: absolute; left: -100vw; top: 0; }
.skip:focus { left: 0.5rem; z-index: 3; background: var(--back); padding: 0.5rem; }
.bar {
  position: sticky; top: 0; z-index: 2; display: flex; gap: 0.75rem; align-items: center;
  padding: 0.5rem 1rem; background: var(--side); border-bottom: 1px solid var(--line);
}
.home { font-weight: 600; text-decoration: none; color: var(--text); white-space: nowrap;
  overflow: hidden; text-overflow: ellipsis; flex: 0 1 auto; min-width: 4.5rem; }
#menu {
  font: inherit; color: var(--text); background: var(--back); border: 1px solid var(--line);
  border-radius: 6px; padding: 0.25rem 0.75rem; cursor: pointer;
}
.search { position: relative; margin-left: auto; flex: 1 1 12rem; max-width: 22rem;
  min-width: 6rem; }
#search {
  width: 100%; font: inherit; color: var(--text); background: var(--back);
  border: 1px solid var(--line); border-radius: 6px; padding: 0.3rem 0.6rem;
}
#results {
  position: absolute; right: 0; top: calc(100% + 0.4rem); width: min(32rem, 92vw);
  max-height: 70vh; overflow: auto; background: var(--back); border: 1px solid var(--line);
  border-radius: 6px; box-shadow: 0 6px 24px rgba(0, 0, 0, 0.25); padding: 0.25rem 0;
}
#results ol { list-style: none; margin: 0; padding: 0; }
#results a { display: block; padding: 0.4rem 0.75rem; text-decoration: none; color: var(--text); }
#results a:hover, #results a:focus { background: var(--mark); }
#results .name { color: var(--link); font-weight: 600; }
#results .snippet { display: block; color: var(--muted); font-size: 0.875rem; }
#results p { margin: 0.4rem 0.75rem; color: var(--muted); }
.layout { display: grid; grid-template-columns: 18rem minmax(0, 1fr); }
#sidebar {
  position: sticky; top: 3.1rem; height: calc(100vh - 3.1rem); overflow: auto;
  background: var(--side); border-right: 1px solid var(--line); padding: 0.75rem 0.5rem 2rem;
  font-size: 0.925rem;
}
#sidebar ul { list-style: none; margin: 0; padding-left: 0.9rem; }
#sidebar > ul { padding-left: 0; }
#sidebar a { display: block; padding: 0.1rem 0.5rem; border-radius: 4px; text-decoration: none;
  color: var(--text); overflow-wrap: anywhere; }
#sidebar a:hover { background: var(--mark); }
#sidebar a[aria-current="page"] { background: var(--mark); font-weight: 700; color: var(--link);
  box-shadow: inset 3px 0 0 var(--link); }
#sidebar .more { margin: 0.75rem 0.5rem 0; }
main { padding: 1.5rem clamp(1rem, 4vw, 3rem) 3rem; min-width: 0; }
article { max-width: 48rem; overflow-wrap: break-word; }
h1 { font-size: 1.75rem; line-height: 1.25; margin: 0 0 1rem; }
h2 { font-size: 1.15rem; margin: 1.75rem 0 0.5rem; color: var(--muted); }
h3.group { font-size: 1rem; margin: 1rem 0 0.25rem; }
.syntax-line { font-family: ui-monospace, "DejaVu Sans Mono", Consolas, monospace; }
.syntax-line .name { color: var(--link); }
.code {
  font-family: ui-monospace, "DejaVu Sans Mono", Consolas, monospace; font-size: 0.9rem;
  background: var(--code); border: 1px solid var(--line); border-radius: 6px; padding: 0.75rem 1rem;
  overflow-x: auto;
}
.members, .keywords { padding-left: 1.25rem; }
img { max-width: 100%; height: auto; }
table { border-collapse: collapse; max-width: 100%; }
.pager { display: flex; justify-content: space-between; gap: 1rem; max-width: 48rem;
  margin-top: 3rem; padding-top: 1rem; border-top: 1px solid var(--line); }
.pager a { text-decoration: none; max-width: 48%; overflow-wrap: anywhere; }
.pager a[rel="next"] { margin-left: auto; text-align: right; }
.pager span { display: block; font-size: 0.8rem; color: var(--muted); }
@media (max-width: 60rem) {
  .layout { display: block; }
  #sidebar {
    display: none; position: fixed; z-index: 1; top: 3.1rem; left: 0; bottom: 0; height: auto;
    width: min(20rem, 85vw); box-shadow: 0 0 24px rgba(0, 0, 0, 0.3);
  }
  .menu-open #sidebar { display: block; }
}
@media (min-width: 60.001rem) {
  #menu { display: none; }
}
@media print {
  .bar, #sidebar, .pager { display: none; }
  .layout { display: block; }
}
)css";

// Plain script, no library: the site must work without a network and without a server.
const std::string_view kSiteScriptText = R"js((function () {
  "use strict";
  var doc = document.documentElement;
  var root = doc.getAttribute("data-root") || "";
  var here = doc.getAttribute("data-page") || "";
  var maxResults = 50;

  // ---- the contents ----
  function link(name, address) {
    var a = document.createElement(address ? "a" : "span");
    if (address) {
      a.href = root + address;
      if (address === here) a.setAttribute("aria-current", "page");
    }
    a.textContent = name;
    return a;
  }
  function list(entries) {
    var ul = document.createElement("ul");
    for (var i = 0; i < entries.length; i++) {
      var e = entries[i], li = document.createElement("li");
      li.appendChild(link(e[0], e[1]));
      if (e[2]) li.appendChild(list(e[2]));
      ul.appendChild(li);
    }
    return ul;
  }
  var sidebar = document.getElementById("sidebar");
  var contents = window.QS_CONTENTS;
  if (sidebar && contents) {
    var more = sidebar.querySelector(".more");
    sidebar.textContent = "";
    sidebar.appendChild(list(contents.items));
    if (more) sidebar.appendChild(more);
    var current = sidebar.querySelector('[aria-current="page"]');
    if (current) sidebar.scrollTop = Math.max(0, current.offsetTop - sidebar.clientHeight / 3);
  }

  // ---- the sidebar on a narrow screen ----
  var menu = document.getElementById("menu");
  function openMenu(open) {
    doc.classList.toggle("menu-open", open);
    if (menu) menu.setAttribute("aria-expanded", open ? "true" : "false");
    if (open && sidebar) {
      var target = sidebar.querySelector('[aria-current="page"]') || sidebar.querySelector("a");
      if (target) target.focus();
    }
  }
  if (menu) {
    menu.addEventListener("click", function () {
      openMenu(!doc.classList.contains("menu-open"));
    });
  }

  // ---- the search ----
  var input = document.getElementById("search");
  var results = document.getElementById("results");
  var pages = null, folded = null, loading = false;
  function fold(text) {
    return text.normalize("NFD").replace(/[\u0300-\u036f]/g, "").toLowerCase();
  }
  function prepare() {
    pages = window.QS_SEARCH || [];
    folded = new Array(pages.length);
    for (var i = 0; i < pages.length; i++) {
      folded[i] = [fold(pages[i][1]), fold(pages[i][2]), fold(pages[i][3])];
    }
  }
  function load() {
    if (pages || loading) return;
    loading = true;
    var script = document.createElement("script");
    script.src = root + "assets/search-index.js";
    script.onload = function () {
      prepare();
      if (input && input.value) show(input.value);
    };
    script.onerror = function () {
      loading = false;
      message("The search index could not be loaded.");
    };
    document.head.appendChild(script);
  }
  // The pages holding every word of the query (in their name, title or text, letter case and
  // accents aside), best first: a name that is the word, one that starts with it, one that
  // holds it, then a title, then the text; in contents order among equals.
  function search(query) {
    var words = fold(query).split(/\s+/).filter(Boolean);
    var found = [];
    if (!words.length || !folded) return found;
    for (var i = 0; i < folded.length; i++) {
      var page = folded[i], score = 0;
      for (var w = 0; w < words.length; w++) {
        var word = words[w], at = page[0].indexOf(word);
        if (at === 0) score += page[0].length === word.length ? 100 : 50;
        else if (at > 0) score += 30;
        else if (page[1].indexOf(word) >= 0) score += 10;
        else if (page[2].indexOf(word) >= 0) score += 1;
        else { score = -1; break; }
      }
      if (score >= 0) found.push([score, i]);
    }
    found.sort(function (a, b) { return b[0] - a[0] || a[1] - b[1]; });
    return found;
  }
  function snippet(i, query) {
    var word = fold(query).split(/\s+/).filter(Boolean)[0] || "";
    var at = folded[i][2].indexOf(word);
    if (at < 0) return "";
    var text = pages[i][3], start = Math.max(0, at - 40);
    return (start > 0 ? "\u2026" : "") + text.substr(start, 120) +
        (start + 120 < text.length ? "\u2026" : "");
  }
  function message(text) {
    results.textContent = "";
    var p = document.createElement("p");
    p.textContent = text;
    results.appendChild(p);
    results.hidden = false;
  }
  function show(query) {
    if (!query.trim()) { results.hidden = true; results.textContent = ""; return; }
    if (!pages) { load(); message("Searching\u2026"); return; }
    var found = search(query);
    if (!found.length) { message("No page found."); return; }
    results.textContent = "";
    var p = document.createElement("p");
    p.setAttribute("role", "status");
    p.textContent = found.length === 1 ? "1 page found" : found.length + " pages found";
    results.appendChild(p);
    var ol = document.createElement("ol");
    for (var r = 0; r < found.length && r < maxResults; r++) {
      var i = found[r][1], page = pages[i];
      var li = document.createElement("li"), a = document.createElement("a");
      a.href = root + page[0];
      var name = document.createElement("span");
      name.className = "name";
      name.textContent = page[1];
      a.appendChild(name);
      if (page[2] && page[2] !== page[1]) a.appendChild(document.createTextNode(" \u2014 " + page[2]));
      var more = found[r][0] < 10 ? snippet(i, query) : "";
      if (more) {
        var s = document.createElement("span");
        s.className = "snippet";
        s.textContent = more;
        a.appendChild(s);
      }
      li.appendChild(a);
      ol.appendChild(li);
    }
    results.appendChild(ol);
    results.hidden = false;
  }
  function resultLinks() { return results ? results.querySelectorAll("a") : []; }
  if (input && results) {
    input.addEventListener("focus", load);
    input.addEventListener("input", function () { show(input.value); });
    input.addEventListener("keydown", function (event) {
      var links = resultLinks();
      if (event.key === "ArrowDown" && links.length) { event.preventDefault(); links[0].focus(); }
      else if (event.key === "Enter" && links.length) { event.preventDefault(); links[0].click(); }
      else if (event.key === "Escape") { input.value = ""; show(""); }
    });
    results.addEventListener("keydown", function (event) {
      var links = Array.prototype.slice.call(resultLinks());
      var at = links.indexOf(document.activeElement);
      if (event.key === "ArrowDown" && at + 1 < links.length) { event.preventDefault(); links[at + 1].focus(); }
      else if (event.key === "ArrowUp") { event.preventDefault(); (at > 0 ? links[at - 1] : input).focus(); }
      else if (event.key === "Escape") { event.preventDefault(); input.focus(); show(""); }
    });
    document.addEventListener("click", function (event) {
      if (!results.contains(event.target) && event.target !== input) results.hidden = true;
    });
  }

  // "/" searches from anywhere; Escape closes the sidebar over the text.
  document.addEventListener("keydown", function (event) {
    var typing = event.target && /^(INPUT|TEXTAREA|SELECT)$/.test(event.target.tagName);
    if (event.key === "/" && !typing && input) { event.preventDefault(); input.focus(); }
    else if (event.key === "Escape" && doc.classList.contains("menu-open")) {
      openMenu(false);
      if (menu) menu.focus();
    }
  });
})();
)js";

}  // namespace qs::output
