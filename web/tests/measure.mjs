// Measures the page in headless Chromium and prints the figures against their
// targets: a frame's work, frames per second, work while paused, the size of what
// the page loads and the time to its first picture. Exits with status 1 if a
// target is missed. Usage: node tests/measure.mjs (after scripts/web --build-only)
import { stat } from "node:fs/promises";
import { join } from "node:path";
import { kBuilt, openBrowser, openPage } from "./browser.mjs";

const kFiles = ["torlin.wasm", "torlin.js", "page.js", "torlin.css", "index.html", "fonts/LiberationSans-Bold.ttf"];
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
};
const figures = [];
const report = (name, value, unit, target, met) => {
  figures.push(met);
  console.log(`${met ? "ok  " : "MISS"} ${name}: ${value} ${unit} (target ${target})`);
};

const session = await openBrowser();
try {
  let bytes = 0;
  for (const file of kFiles) bytes += (await stat(join(kBuilt, file))).size;
  report("page size (wasm + js + css + html + font)", (bytes / 1e6).toFixed(3), "MB", "<= 1.5 MB", bytes <= 1.5e6);

  const firsts = [];
  for (let i = 0; i < 5; ++i) {
    const {page} = await openPage(session);
    firsts.push(await page.evaluate(() => TorlinPage.stats.firstPictureAt));
  }
  report("first picture after navigation start, median of 5 loads", median(firsts).toFixed(0), "ms",
         "<= 1000 ms", median(firsts) <= 1000);

  const {page, errors} = await openPage(session);
  await page.mouse.move(405, 574);
  await page.waitForTimeout(1000);
  const start = await page.evaluate(() => ({frames: TorlinPage.stats.frames, at: performance.now()}));
  await page.waitForTimeout(10000);
  const end = await page.evaluate(() => ({frames: TorlinPage.stats.frames, at: performance.now(),
                                          work: TorlinPage.stats.frameWork.slice(-500)}));
  const fps = ((end.frames - start.frames) * 1000) / (end.at - start.at);
  report("frames per second over 10 s", fps.toFixed(1), "fps", ">= 59", fps >= 59);
  const work = median(end.work);
  const sorted = [...end.work].sort((a, b) => a - b);
  report("a frame's work (model + raster + present), median of 500", work.toFixed(3), "ms", "<= 2 ms", work <= 2);
  console.log(`     90th percentile ${sorted[Math.floor(sorted.length * 0.9)].toFixed(3)} ms, ` +
              `largest ${sorted.at(-1).toFixed(3)} ms`);

  await page.mouse.move(734.77, 409.8);
  await page.waitForTimeout(500);
  const paused = await page.evaluate(() => ({...TorlinPage.stats, frameWork: undefined, reports: undefined}));
  await page.waitForTimeout(3000);
  const still = await page.evaluate(() => ({...TorlinPage.stats, frameWork: undefined, reports: undefined}));
  const busy = still.turns - paused.turns + still.frames - paused.frames + still.presents - paused.presents;
  report("turns, frames and pictures during 3 s of pause", busy, "", "0", busy === 0);
  if (errors.length) console.log(`console errors: ${errors.join("; ")}`);
} finally {
  await session.close();
}
process.exit(figures.every(Boolean) ? 0 : 1);
