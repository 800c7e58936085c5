// Renders the README's picture of the page: half a minute of "auto" at full
// speed, so that the lift curves pile up. Usage: node tests/screenshot.mjs FILE.png
import { openBrowser, openPage, until } from "./browser.mjs";

const [file = "torlin-web.png"] = process.argv.slice(2);
const session = await openBrowser({width: 960, height: 662});
try {
  const {page} = await openPage(session);
  await page.focus("#HScroll1");
  await page.keyboard.press("End");
  await page.click("#Command3");
  const frames = await page.evaluate(() => TorlinPage.stats.frames);
  await until(page, (n) => TorlinPage.stats.frames > n + 36 * 12, frames, 60000);
  await page.screenshot({path: file});
  console.log(`wrote ${file}`);
} finally {
  await session.close();
}
