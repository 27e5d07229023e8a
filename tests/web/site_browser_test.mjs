// The website in a real browser, opened from disk (file://): the contents, a link, the
// keyword index, the search, the pictures, the keyboard, and every Windows-1252 character
// shown as the help page shows it.
//   node site_browser_test.mjs CHROMIUM FOLDER
// FOLDER holds help/ and site/ as qs_make_site_fixture writes them. Exits 1 on any failure,
// naming each check that failed.

import { strict as assert } from "node:assert";
import { pathToFileURL } from "node:url";
import { Browser } from "./browser.mjs";

const [chromium, folder] = process.argv.slice(2);
if (!chromium || !folder) {
  console.error("usage: node site_browser_test.mjs CHROMIUM FOLDER");
  process.exit(2);
}
const site = (path) => pathToFileURL(`${folder}/site/${path}`).href;
const help = (path) => pathToFileURL(`${folder}/help/${path}`).href;

const failures = [];
async function check(name, body) {
  try {
    await body();
    console.log(`ok   ${name}`);
  } catch (error) {
    failures.push(name);
    console.log(`FAIL ${name}\n     ${String(error.stack ?? error).split("\n").join("\n     ")}`);
  }
}

const browser = await Browser.launch(chromium);
const page = await browser.newPage(1280, 800);
// Whatever a page tries to load from elsewhere than the site's folder is noted here.
const outside = [];
browser.listeners.push((message) => {
  if (message.method !== "Network.requestWillBeSent") return;
  const url = message.params.request.url;
  // The help folder's page that the last check compares with is opened by the test itself.
  if (!url.startsWith(pathToFileURL(`${folder}/site/`).href) && !url.startsWith("data:") &&
      url !== help("All.html")) {
    outside.push(url);
  }
});
await page.send("Network.enable");
const sidebarNames = `[...document.querySelectorAll("#sidebar a")].map(a => a.textContent)`;
const location = `decodeURIComponent(location.pathname.slice(location.pathname.indexOf("/site/") + 6))`;

try {
  await check("the contents list every page in display order, groups nested, this one marked",
              async () => {
    await page.open(site("Pad.html"));
    await page.until(`document.querySelectorAll("#sidebar a").length > 5`);
    assert.deepEqual(await page.eval(sidebarNames), [
      "Functions", "Trim", "Pad", "Strings", "Upper", "Lower", "Guide", "Notes/Deep", "All",
      "Index", "Keyword index",
    ]);
    assert.deepEqual(
        await page.eval(`[...document.querySelectorAll("#sidebar li li li > a")]
                             .map(a => a.textContent)`),
        ["Upper", "Lower"]);
    assert.equal(await page.eval(`document.querySelector('#sidebar [aria-current="page"]')
                                      .textContent`), "Pad");
    assert.equal(await page.eval(`document.title`), "Pad a text - TextKit");
    assert.equal(await page.eval(`document.querySelector('meta[name="description"]').content`),
                 "Fills a text with the zanzibarite character up to a length.");
    assert.equal(await page.eval(`document.characterSet`), "UTF-8");
  });

  await check("a sidebar link, a link in a description and the pager go to their pages",
              async () => {
    await page.open(site("Pad.html"));
    await page.until(`document.querySelectorAll("#sidebar a").length > 5`);
    await page.following(() => page.click(`#sidebar a[href$="Lower.html"]`));
    assert.equal(await page.eval(location), "Lower.html");
    await page.open(site("Trim.html"));
    await page.following(() => page.click(`article .text a[href="Pad.html"]`));
    assert.equal(await page.eval(location), "Pad.html");
    assert.equal(await page.eval(`document.querySelector("h1").textContent`), "Pad a text");
    await page.following(() => page.click(`.pager a[rel="next"]`));
    assert.equal(await page.eval(location), "Strings.html");
    await page.open(site("Notes/Deep.html"));
    await page.until(`document.querySelectorAll("#sidebar a").length > 5`);
    await page.following(() => page.click(`.pager a[rel="prev"]`));
    assert.equal(await page.eval(location), "Guide.html");
  });

  await check("the keyword index lists every page by name and leads to it", async () => {
    await page.open(site("keywords.html"));
    assert.deepEqual(
        await page.eval(`[...document.querySelectorAll("ul.keywords a")].map(a => a.textContent)`),
        ["All", "Guide", "Lower", "Notes/Deep", "Pad", "Strings", "Trim", "Upper"]);
    await page.following(() => page.click(`ul.keywords a[href="Notes/Deep.html"]`));
    assert.equal(await page.eval(location), "Notes/Deep.html");
    assert.equal(await page.eval(`document.querySelector("article .text").textContent.trim()`),
                 "A page in a sub-folder.");
  });

  await check("a word only a description holds is found as it is typed, and Enter goes there",
              async () => {
    await page.open(site("Guide.html"));
    await page.key("/");
    assert.equal(await page.eval(`document.activeElement.id`), "search");
    await page.type("zanzib");
    await page.until(`document.querySelectorAll("#results a").length > 0`);
    assert.deepEqual(await page.eval(`[...document.querySelectorAll("#results a")]
                                          .map(a => a.getAttribute("href"))`), ["Pad.html"]);
    await page.following(() => page.key("Enter"));
    assert.equal(await page.eval(location), "Pad.html");
  });

  await check("names and titles are found from a sub-folder page, best match first", async () => {
    await page.open(site("Notes/Deep.html"));
    await page.click("#search");
    await page.type("lower");
    await page.until(`document.querySelectorAll("#results a").length > 0`);
    const found = await page.eval(`[...document.querySelectorAll("#results a")]
                                       .map(a => a.getAttribute("href"))`);
    assert.equal(found[0], "../Lower.html");
    await page.key("ArrowDown");
    assert.equal(await page.eval(`document.activeElement.getAttribute("href")`), "../Lower.html");
    await page.key("Escape");
    assert.equal(await page.eval(`document.activeElement.id`), "search");
    assert.equal(await page.eval(`document.getElementById("results").hidden`), true);
  });

  await check("the picture of the help folder is copied and shown", async () => {
    await page.open(site("Guide.html"));
    await page.until(`document.getElementById("logo").complete`);
    assert.equal(await page.eval(`document.getElementById("logo").naturalWidth`), 2);
  });

  await check("the keyboard reaches the search, the contents and the text in turn", async () => {
    await page.open(site("Trim.html"));
    await page.until(`document.querySelectorAll("#sidebar a").length > 5`);
    const stops = [];
    for (let i = 0; i < 5; i++) {
      await page.key("Tab");
      stops.push(await page.eval(`(() => { const e = document.activeElement;
                                   return e.id || e.textContent.trim(); })()`));
    }
    // The skip link, the home link and the search; the Contents button shows on narrow
    // screens only; then the first entries of the contents.
    assert.deepEqual(stops, ["Skip to the text", "TextKit", "search", "Functions", "Trim"]);
  });

  await check("on a phone the contents open from their button and close with Escape",
              async () => {
    await page.size(390, 844, true);
    await page.open(site("Upper.html"));
    assert.equal(await page.eval(`getComputedStyle(document.getElementById("sidebar")).display`),
                 "none");
    await page.click("#menu");
    assert.equal(await page.eval(`getComputedStyle(document.getElementById("sidebar")).display`),
                 "block");
    assert.equal(await page.eval(`document.activeElement.textContent`), "Upper");
    await page.key("Escape");
    assert.equal(await page.eval(`getComputedStyle(document.getElementById("sidebar")).display`),
                 "none");
    assert.ok(await page.eval(`document.documentElement.scrollWidth <= 390`));
    await page.size(1280, 800);
  });

  await check("light and dark follow the system", async () => {
    await page.open(site("Index.html"));
    const light = await page.eval(`getComputedStyle(document.body).backgroundColor`);
    await page.colorScheme("dark");
    const dark = await page.eval(`getComputedStyle(document.body).backgroundColor`);
    await page.colorScheme("");
    assert.equal(light, "rgb(255, 255, 255)");
    assert.equal(dark, "rgb(22, 24, 28)");
  });

  await check("every Windows-1252 character shows as on the help page", async () => {
    const text = `document.querySelector(SELECTOR).textContent.trim()`;
    await page.open(help("All.html"));
    const onHelpPage = await page.eval(text.replace("SELECTOR", `"blockquote font"`));
    assert.equal(await page.eval(`document.characterSet`), "windows-1252");
    await page.open(site("All.html"));
    const onSite = await page.eval(text.replace("SELECTOR", `"article .text"`));
    const bytes = [];
    for (let c = 1; c < 256; c++) {
      if (c === 13 || c === 10) continue;
      if (bytes.length) bytes.push(32);
      bytes.push(c);
    }
    // The code page as the encoding standard maps it; the five bytes it leaves undefined are
    // the C1 controls of the same number.
    const high = [
      0x20AC, 0x81, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x8D, 0x017D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013,
      0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D, 0x017E, 0x0178,
    ];
    const decoded = String.fromCodePoint(
        ...bytes.map((b) => (b >= 0x80 && b <= 0x9F ? high[b - 0x80] : b)));
    assert.equal(onSite, onHelpPage);
    assert.equal(onSite, decoded);
    // Every byte but the line ends, and the space that stands between them.
    assert.equal([...onSite].filter((c) => c !== " ").length, 252);
  });

  await check("nothing is loaded from outside the site's folder", async () => {
    assert.deepEqual(outside, []);
  });
} finally {
  await browser.close();
}

if (failures.length) {
  console.log(`${failures.length} check(s) failed`);
  process.exit(1);
}
