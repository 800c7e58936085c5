// Renders the README's picture of two designs in the Explorer: the lift-duration
// plane of the window's default map with a design file's beside it.
// Usage (after scripts/web --build-only): node tests/explorer-screenshot.mjs FILE.png [DESIGN.json]
import { openBrowser } from "./browser.mjs";
import { openExplorer, settled } from "./explorer.mjs";

const kDefaultDesign = new URL("../../designs/smooth-lever.json", import.meta.url).pathname;
const [file = "explorer-designs.png", design = kDefaultDesign] = process.argv.slice(2);
const session = await openBrowser({width: 1280, height: 900});
try {
  const {page, errors} = await openExplorer(session, {query: "?lever=71&eccentric=700"});
  await page.setInputFiles("#design-file", design);
  await page.waitForFunction(() => Explorer.designB !== null, null, {timeout: 60000});
  await settled(page);
  if (errors.length) throw new Error(errors.join("; "));
  // The plane with its legend below it.
  const plane = await page.locator("#plane").boundingBox();
  const legend = await page.locator("#plane-legend").boundingBox();
  await page.screenshot({path: file, clip: {x: plane.x, y: plane.y, width: plane.width, height: legend.y + legend.height + 4 - plane.y}});
  console.log(`wrote ${file}`);
} finally {
  await session.close();
}
