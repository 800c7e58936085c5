// Measures the Explorer in headless Chromium and prints the figures against their
// targets: the default map in the workers, the map of a design file opened (from its
// text to its map, checked and computed), a chosen mode's curves and table on the
// screen (and how long the map's loads take), a target solved, and the size of the
// Explorer's files; with the machine's load average, which the times depend on.
// Exits with status 1 if a target is missed. Usage: node tests/explorer-measure.mjs (after scripts/web --build-only)
import { stat } from "node:fs/promises";
import { loadavg } from "node:os";
import { join } from "node:path";
import { kBuilt, openBrowser, until } from "./browser.mjs";
import { explorerBytes, openExplorer, settled } from "./explorer.mjs";

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const met = [];
const report = (name, value, unit, target, ok) => {
  met.push(ok);
  console.log(`${ok ? "ok  " : "MISS"} ${name}: ${value} ${unit} (target ${target})`);
};

const loadAverage = () => loadavg().map((v) => v.toFixed(2)).join(", ");
console.log(`load average (1, 5, 15 min) before: ${loadAverage()}`);
const session = await openBrowser({width: 1280, height: 900});
try {
  const bytes = await explorerBytes();
  report("Explorer's files, the single-file edition included", (bytes / 1e6).toFixed(3), "MB", "<= 1.5 MB", bytes <= 1.5e6);
  const single = (await stat(join(kBuilt, "torlin-explorer.html"))).size;
  console.log(`     of which torlin-explorer.html ${(single / 1e6).toFixed(3)} MB`);

  const maps = [];
  for (let i = 0; i < 3; ++i) {
    const {page} = await openExplorer(session);
    maps.push(await page.evaluate(() => Explorer.stats.mapMs));
  }
  report("default map (100 x 100 at speed 400) in the workers, median of 3", median(maps).toFixed(0), "ms", "<= 3000 ms",
         median(maps) <= 3000);

  const designMaps = [];
  const design = new URL("../../designs/smooth-lever.json", import.meta.url).pathname;
  for (let i = 0; i < 3; ++i) {
    const {page} = await openExplorer(session);
    await page.setInputFiles("#design-file", design);
    await until(page, () => Explorer.stats.designMapMs !== null, null, 60000);
    designMaps.push(await page.evaluate(() => Explorer.stats.designMapMs));
  }
  report("map of a design file opened (smooth-lever, 100 x 100), in the workers, median of 3", median(designMaps).toFixed(0), "ms",
         "<= 3000 ms", median(designMaps) <= 3000);

  const {page, errors} = await openExplorer(session);
  const modes = [[0, 700], [60, 200], [88.5, 650.25], [20, 100], [115, -95], [45.5, 333], [5, 690], [100, 500], [70, 0], [30, 600]];
  for (const [lever, eccentric] of modes) {
    await page.evaluate(([l, e]) => Explorer.choose(l, e, true), [lever, eccentric]);
    await settled(page);
  }
  const detail = await page.evaluate(() => Explorer.stats.detailMs.slice(-10));
  const worker = await page.evaluate(() => Explorer.stats.detailWorkerMs.slice(-10));
  report("a mode chosen to its curves and table drawn, median of 10", median(detail).toFixed(1), "ms", "<= 100 ms",
         median(detail) <= 100);
  console.log(`     largest ${Math.max(...detail).toFixed(1)} ms; its computation in the worker: median ${median(worker).toFixed(1)} ms`);

  await page.selectOption("#heat-quantity", "peakGreenShaftTorque_Nm");
  await settled(page);
  const loads = await page.evaluate(() => Explorer.stats.loadsMs);
  console.log(`     the map's loads, computed when a heat map of a load is first shown: ${loads.toFixed(0)} ms (no target)`);

  const targets = [[6, 180], [10, 250], [3, 120], [8, 200], [2, 60], [15, 200], [11, 270], [5, 150], [7, 230], [1.5, 40]];
  for (const [lift, duration] of targets) {
    await page.evaluate(([l, d]) => Explorer.setTarget(l, d), [lift, duration]);
    await settled(page);
  }
  const solved = await page.evaluate(() => Explorer.stats.targetMs.slice(-10));
  report("a target solved, median of 10", median(solved).toFixed(1), "ms", "<= 200 ms", median(solved) <= 200);
  console.log(`     largest ${Math.max(...solved).toFixed(1)} ms`);
  if (errors.length) console.log(`console errors: ${errors.join("; ")}`);
} finally {
  await session.close();
  console.log(`load average (1, 5, 15 min) after: ${loadAverage()}`);
}
process.exit(met.every(Boolean) ? 0 : 1);
