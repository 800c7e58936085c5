// The Explorer's grid, address and exports: what a link may hold, what the map may
// hold, and what a picture carries.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { openBrowser } from "./browser.mjs";
import { haveModes, modesCsv, openExplorer, settled } from "./explorer.mjs";

let session;
before(async () => { session = await openBrowser({width: 1280, height: 900}); });
after(async () => { await session?.close(); });

const mapModes = (page) => page.evaluate(() => {
  const {rows, total} = Explorer.map;
  const {stride} = Explorer.layout;
  return Array.from({length: total}, (_, i) => `${rows[i * stride]},${rows[i * stride + 1]}`);
});

test("a grid is torlin-modes' grid: within 2 and the bars' distinct values, never a mode twice, kept in the address", async () => {
  for (const [asked, made] of [["150", 116], ["1", 2], ["abc", 100]]) {
    const {page, errors} = await openExplorer(session, {query: `?grid=${asked}`});
    const modes = await mapModes(page);
    assert.equal(modes.length, made * made, `grid ${asked}`);
    assert.equal(new Set(modes).size, modes.length, `grid ${asked}: a mode twice`);
    assert.equal(await page.inputValue("#map-steps"), String(made));
    assert.deepEqual(errors, []);
  }
  // Set by hand: the address takes the grid and the map's speed, and a link restores them.
  const {page, errors} = await openExplorer(session);
  await page.fill("#map-steps", "7");
  await page.fill("#map-speed", "250");
  await page.click("#map-run");
  await settled(page);
  assert.match(page.url(), /[?&]speed=250(&|$)/);
  assert.match(page.url(), /[?&]grid=7(&|$)/);
  const modes = await mapModes(page);
  if (haveModes) {
    const reference = await modesCsv(["--lever-steps", "7", "--eccentric-steps", "7", "--speed", "250"]);
    assert.deepEqual(modes, reference.map((row) => `${row.lever},${row.eccentric}`));
  }
  const {page: again} = await openExplorer(session, {url: page.url()});
  assert.deepEqual(await again.evaluate(() => [Explorer.map.steps, Explorer.map.speed]), [7, 250]);
  assert.deepEqual(await mapModes(again), modes);
  assert.deepEqual(errors, []);
});

const answerText = (page) => page.textContent("#target-answer");

test("a target out of range, from the address or the form, is refused with its reason and no stale answer", async () => {
  for (const [query, reason] of [
    ["?target=1e300,1e300", /the lift must lie from 0 to 30 mm/],
    ["?target=-5,-5", /the lift must lie from 0 to 30 mm/],
    ["?target=6,900", /the duration above 1 mm must lie from 0 to 720 crank degrees/],
    ["?target=0.5,1", /a lift of 1 mm or less is above 1 mm for no crank degree/],
    ["?target=6", /not two numbers/],
  ]) {
    const {page, errors} = await openExplorer(session, {query});
    assert.match(await answerText(page), /is not taken as a target/, query);
    assert.match(await answerText(page), reason, query);
    assert.equal(await page.evaluate(() => Explorer.target), null, query);
    assert.deepEqual(errors, []);
  }
  const {page, errors} = await openExplorer(session);
  await page.evaluate(() => Explorer.setTarget(6, 200));
  await settled(page);
  assert.match(await answerText(page), /is reached by/);
  await page.fill("#target-lift", "0.8");
  await page.fill("#target-duration", "1");
  await page.press("#target-duration", "Enter");
  await settled(page);
  assert.doesNotMatch(await answerText(page), /reached by/);
  assert.match(await answerText(page), /a lift of 1 mm or less/);
  assert.equal(await page.locator("#target-answer li").count(), 0);
  assert.doesNotMatch(page.url(), /target=/);
  assert.deepEqual(errors, []);
});

test("the address pins a mode once however often it names it; the two bar fields typed in turn are one step back", async () => {
  const {page, errors} = await openExplorer(session, {query: "?pin=10,100&pin=10,100&pin=10,100&pin=20,100"});
  assert.deepEqual(await page.evaluate(() => Explorer.state.pins), [{lever: 10, eccentric: 100}, {lever: 20, eccentric: 100}]);
  const before = await page.evaluate(() => [Explorer.state.lever, Explorer.state.eccentric]);
  for (const [id, value] of [["#lever-number", "33"], ["#eccentric-number", "412"]]) {
    await page.fill(id, value);
    await page.press(id, "Enter");
    await settled(page);
  }
  await page.goBack();
  await settled(page);
  assert.deepEqual(await page.evaluate(() => [Explorer.state.lever, Explorer.state.eccentric]), before);
  await page.goForward();
  await settled(page);
  assert.deepEqual(await page.evaluate(() => [Explorer.state.lever, Explorer.state.eccentric]), [33, 412]);
  assert.deepEqual(errors, []);
});

test("the heat map runs the lever across and the eccentric up, in torlin-modes' colours, with no seam between cells", async () => {
  const {page, errors} = await openExplorer(session, {query: "?lever=20&eccentric=600"});
  const check = await page.evaluate(() => {
    const chart = Explorer.charts.heat;
    const {heat} = chart;
    const {stride} = Explorer.layout;
    // The chosen mode's cell, found where its lever lies across and its eccentric up.
    const x = Math.round(chart.valToPos(20, "x", true) - chart.bbox.left);
    const y = Math.round(chart.valToPos(600, "y", true) - chart.bbox.top);
    const ctx = heat.picture.getContext("2d");
    const pixel = Array.from(ctx.getImageData(x, y, 1, 1).data.slice(0, 3));
    let index = -1;
    let best = Infinity;
    for (let i = 0; i < Explorer.map.total; ++i) {
      const d = Math.abs(heat.rows[i * stride] - 20) + Math.abs(heat.rows[i * stride + 1] - 600) / 8;
      if (d < best) { best = d; index = i; }
    }
    const value = heat.rows[index * stride + heat.quantity.index];
    const t = (value - heat.lo) / (heat.hi - heat.lo);
    const stops = Explorer.facts.scaleStops;
    const data = ctx.getImageData(0, 0, heat.picture.width, heat.picture.height).data;
    let unpainted = 0;
    for (let k = 3; k < data.length; k += 4) if (data[k] !== 255) ++unpainted;
    return {pixel, t, stops, unpainted};
  });
  // torlin-modes' scale: its stops mixed linearly, each channel rounded.
  const {stops, t} = check;
  let upper = 1;
  while (upper + 1 < stops.length && stops[upper].at < t) ++upper;
  const [a, b] = [stops[upper - 1], stops[upper]];
  const s = (t - a.at) / (b.at - a.at);
  const expected = ["red", "green", "blue"].map((c) => Math.round(a[c] + (b[c] - a[c]) * s));
  assert.deepEqual(check.pixel, expected);
  assert.deepEqual(stops.map((p) => [p.red, p.green, p.blue]), [[68, 1, 84], [59, 82, 139], [33, 145, 140], [94, 201, 98], [253, 231, 37]]);
  assert.equal(check.unpainted, 0, "pixels of the plot left unpainted between cells");
  assert.deepEqual(errors, []);
});

// An SVG the browser's XML parser takes, with no non-number in it.
const svgProblems = (page, key) => page.evaluate((key) => {
  const svg = Explorer.chartSvg(key);
  const parsed = new DOMParser().parseFromString(svg, "image/svg+xml");
  return {svg, error: parsed.querySelector("parsererror")?.textContent ?? null, bad: /NaN|Infinity|undefined/.test(svg)};
}, key);

test("every chart's picture carries its title, mode, engine speed, legend and colour scale; all series hidden draw nothing amiss", async () => {
  const {page, errors} = await openExplorer(session, {query: "?lever=60&eccentric=200&rpm=4500&pin=60,200"});
  await page.selectOption("#heat-quantity", "maxLift_mm");
  await settled(page);
  const keys = await page.$$eval(".chart-exports button", (buttons) => buttons.map((b) => b.getAttribute("aria-label")));
  assert.equal(keys.length, 10);
  for (const name of keys) assert.match(name, /^(PNG|SVG) picture of the chart “[^”]+”$/);
  for (const [key, title, legend] of [
    ["lift", "Valve lift", ["exact lift (mm)", "window's lift at its frames (mm)"]],
    ["svaj", "Velocity, acceleration and jerk (exact)", ["velocity (mm/s)", "acceleration (m/s²)", "jerk (m/s³)"]],
    ["plane", "Maximum lift against duration above 1 mm", ["chosen mode", "each point's colour: green control shaft (lever) bar value"]],
    ["heat", "maximum lift (mm) over the two shafts", ["maximum lift (mm)"]],
    ["compare", "Exact lift of the pinned modes", ["lever 60.00, eccentric 200.00 (mm)"]],
  ]) {
    const {svg, error, bad} = await svgProblems(page, key);
    assert.equal(error, null, key);
    assert.equal(bad, false, key);
    assert.ok(svg.includes(`<title>${title}</title>`), `${key}: title`);
    assert.ok(svg.includes("chosen mode: lever 60.00, eccentric 200.00 at 4500 rpm; map of 100 × 100 modes at speed 400"), `${key}: context`);
    for (const entry of legend) assert.ok(svg.includes(`>${entry}</text>`), `${key}: legend ${entry}`);
    const png = await page.evaluate((key) => new Promise((done) => {
      const image = new Image();
      image.onload = () => done({height: image.height, chart: Explorer.charts[key === "svaj" ? "velocity" : key].height * devicePixelRatio});
      image.src = Explorer.chartPng(key);
    }), key);
    assert.ok(png.height > png.chart + 46, `${key}: the PNG has room for its title and legend`);
  }
  assert.match((await svgProblems(page, "heat")).svg, /<linearGradient id="scale">/);
  assert.doesNotMatch((await svgProblems(page, "heat")).svg, /<rect [^>]*fill="rgb/, "cells as one picture, not rectangles that seam");

  // Both series of the lift chart hidden in its legend.
  for (const label of ["exact lift (mm)", "window's lift at its frames (mm)"]) {
    await page.locator("#lift-chart .u-legend .u-series", {hasText: label}).click();
  }
  const hidden = await svgProblems(page, "lift");
  assert.deepEqual([hidden.error, hidden.bad], [null, false]);
  assert.doesNotMatch(hidden.svg, /<path /);
  assert.deepEqual(errors, []);
});

test("the load model's parameters set on the page give torlin-modes' loads with the same options, and stay in the address",
     {skip: !haveModes && "torlin-modes is not built"}, async () => {
  const {page, errors} = await openExplorer(session, {query: "?grid=5&rpm=4000"});
  await page.fill("#load-springRate_NPerMm", "50");
  await page.press("#load-springRate_NPerMm", "Enter");
  await page.fill("#load-poisson", "0.7");
  await page.press("#load-poisson", "Enter");
  assert.match(await page.textContent("#load-model-problem"), /Not taken: Poisson's ratio of the contacting parts must lie from 0 to 0.5/);
  assert.equal(await page.inputValue("#load-poisson"), "0.3");
  await page.fill("#load-movingMass_g", "90");
  await page.press("#load-movingMass_g", "Enter");
  await page.selectOption("#heat-quantity", "separation_rpm");
  await settled(page);
  assert.match(page.url(), /springRate_NPerMm=50/);
  assert.match(page.url(), /movingMass_g=90/);
  assert.doesNotMatch(page.url(), /poisson/);
  const csv = await page.evaluate(() => Explorer.exportMap());
  const reference = await modesCsv(["--loads", "--rpm", "4000", "--spring-rate", "50", "--moving-mass", "90", "--lever-steps", "5", "--eccentric-steps", "5"]);
  const [header, ...all] = csv.trim().split("\n");
  const lines = all.filter((line) => !line.startsWith("# "));
  assert.ok(all.includes("# springRate_NPerMm,50") && all.includes("# movingMass_g,90") && all.includes("# engineSpeed_rpm,4000"));
  assert.equal(lines.length, reference.length);
  const names = header.split(",");
  // Where a minimum lies is found to the square root of the last bit: the browser's
  // and the desktop's libraries agree on it to 1e-6 only.
  const near = (a, b, tolerance) => a === b || Math.abs(a - b) <= tolerance * Math.max(1, Math.abs(b));
  lines.forEach((line, i) => line.split(",").forEach((cell, k) => {
    const expected = reference[i][names[k]];
    const tolerance = /^separationAt/.test(names[k]) ? 1e-6 : 1e-9;
    const same = typeof expected === "string" ? cell === expected : cell === "" ? expected === null : near(Number(cell), expected, tolerance);
    assert.ok(same, `row ${i} ${names[k]}: ${cell} vs ${expected}`);
  }));
  // A link brings the same model back.
  const {page: again} = await openExplorer(session, {url: page.url()});
  assert.equal(await again.inputValue("#load-springRate_NPerMm"), "50");
  assert.deepEqual(errors, []);
});
