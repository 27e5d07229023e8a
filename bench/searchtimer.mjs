// Keeps a page of a website open in a headless Chromium and times its search as a reader
// meets it: each line read is typed into the search field, and the time until the answer is
// laid out, measured inside the page, is written back with the number of pages found:
//   node searchtimer.mjs CHROMIUM URL     ("ready", then "MILLISECONDS FOUND" per query)

import { createInterface } from "node:readline";
import { Browser } from "../tests/web/browser.mjs";

const [chromium, url] = process.argv.slice(2);
const browser = await Browser.launch(chromium);
const page = await browser.newPage(1280, 800);
await page.open(url);
// The index is loaded when the field takes the focus; the answers are timed after that.
await page.eval(`document.getElementById("search").focus()`);
await page.until(`Array.isArray(window.QS_SEARCH)`, 60000);
await page.eval(`new Promise(r => setTimeout(r, 200))`);
console.log("ready");

const lines = createInterface({ input: process.stdin });
for await (const query of lines) {
  const answer = await page.eval(`(() => {
    const input = document.getElementById("search"), results = document.getElementById("results");
    input.value = "";
    input.dispatchEvent(new Event("input"));
    const start = performance.now();
    input.value = ${JSON.stringify(query)};
    input.dispatchEvent(new Event("input"));
    void results.offsetHeight;  // laid out, as the reader sees it
    const ms = performance.now() - start;
    const status = results.querySelector("[role=status]");
    return ms + " " + (status ? parseInt(status.textContent, 10) : 0);
  })()`);
  console.log(answer);
}
await browser.close();
