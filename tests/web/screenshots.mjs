// The website's pictures for the README, taken in headless Chromium from disk:
//   node screenshots.mjs CHROMIUM SITE-FOLDER PAGE OUTPUT-FOLDER
// website-desktop-light.png  a function page on a wide screen
// website-desktop-dark.png   the same in the dark, with the search's answers open
// website-phone-light.png    the page on a phone
// website-phone-dark.png     the contents opened over it, in the dark

import { writeFileSync } from "node:fs";
import { pathToFileURL } from "node:url";
import { Browser } from "./browser.mjs";

const [chromium, site, pageName, out] = process.argv.slice(2);
const url = pathToFileURL(`${site}/${pageName}`).href;
const browser = await Browser.launch(chromium);
try {
  const page = await browser.newPage();
  const shot = async (name) => writeFileSync(`${out}/${name}`, await page.screenshot());
  const shown = async () => {
    await page.open(url);
    await page.until(`document.querySelectorAll("#sidebar a").length > 3`);
  };

  await page.size(1280, 800);
  await page.colorScheme("light");
  await shown();
  await shot("website-desktop-light.png");

  await page.colorScheme("dark");
  await shown();
  await page.click("#search");
  await page.type("text");
  await page.until(`document.querySelectorAll("#results a").length > 0`);
  await shot("website-desktop-dark.png");

  await page.size(390, 844, true);
  await page.colorScheme("light");
  await shown();
  await shot("website-phone-light.png");

  await page.colorScheme("dark");
  await shown();
  await page.click("#menu");
  await shot("website-phone-dark.png");
} finally {
  await browser.close();
}
