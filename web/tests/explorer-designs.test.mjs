// The Explorer on a design file: the map of a loaded design B is torlin-modes' map of
// it, a link carries the design, a design that cannot be used is said so in the
// tools' words, and B - A of the same design is zero everywhere.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { execFile } from "node:child_process";
import { mkdtemp, readFile, rm, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { promisify } from "node:util";
import { openBrowser, until } from "./browser.mjs";
import { haveModes, kModes, modesCsv, openExplorer, settled } from "./explorer.mjs";

const kDesigns = new URL("../../designs/", import.meta.url).pathname;
const kSmooth = join(kDesigns, "smooth-lever.json");
const kShots = process.env.TORLIN_SHOTS ?? null;  // a folder to keep the page's pictures in

let session;
before(async () => { session = await openBrowser({width: 1280, height: 900}); });
after(async () => { await session?.close(); });

const shoot = async (page, name) => { if (kShots) await page.screenshot({path: join(kShots, `${name}.png`), fullPage: true}); };

// Opens a design file through the page's file picker and waits for everything of it.
async function openDesign(page, file) {
  await page.setInputFiles("#design-file", file);
  await until(page, () => Explorer.designB !== null || document.querySelector("#design-problem").textContent !== "");
  await settled(page);
}

// A map's modes, each as its bar values and the summary's columns, by their names.
const mapRows = (page, which) => page.evaluate((which) => {
  const map = which === "B" ? Explorer.mapB : Explorer.map;
  const names = ["lever", "eccentric", ...Explorer.facts.summary.map((c) => c.column)];
  return Array.from({length: map.total}, (_, i) =>
    Object.fromEntries(names.map((name, k) => [name, map.rows[i * Explorer.layout.stride + k]])));
}, which);

// The chosen mode's table of design B, by the CSV column each value stands for.
const tableValuesB = (page) => page.evaluate(() => {
  const values = {};
  for (const cell of document.querySelectorAll("#mode-table td[data-column-b]")) {
    const data = cell.querySelector("data");
    values[cell.dataset.columnB] = data ? Number(data.value) : null;
  }
  return values;
});

// As the other browser tests: the window's model to 1e-12, crossings and the exact
// model (found by iteration) to 1e-9, the browser's mathematics being another library's.
const near = (value, expected, tolerance) => (Number.isNaN(value) ? expected === null
  : value === expected || (expected !== null && Math.abs(value - expected) <= tolerance * Math.max(1, Math.abs(expected))));
const tolerance = (column) => (/^exact_|^maxDifference|opening|closing|duration/.test(column) ? 1e-9 : 1e-12);

test("a design opened by the picker gives torlin-modes --design's map and mode; a copied link brings the same design and map",
     {skip: !haveModes && "torlin-modes is not built"}, async () => {
  const grid = 24;
  const {page, errors} = await openExplorer(session, {query: `?grid=${grid}&lever=47&eccentric=350`});
  const rowsA = await mapRows(page, "A");
  await openDesign(page, kSmooth);
  assert.equal(await page.evaluate(() => Explorer.designB.name), "smooth-lever");
  assert.match(await page.textContent("#design-b-name"), /^smooth-lever \(smooth-lever\.json\)$/);
  await shoot(page, "design-b-loaded");

  const reference = await modesCsv(["--design", kSmooth, "--exact", "--lever-steps", String(grid), "--eccentric-steps", String(grid)]);
  const rowsB = await mapRows(page, "B");
  assert.equal(rowsB.length, reference.length);
  let differing = 0;
  rowsB.forEach((row, i) => {
    for (const [column, value] of Object.entries(row)) {
      assert.ok(near(value, reference[i][column], tolerance(column)), `B's map row ${i}, ${column}: ${value} vs ${reference[i][column]}`);
    }
    if (row.maxLift_mm !== rowsA[i].maxLift_mm) ++differing;
  });
  // B's own map, not A's again; A's is as it was.
  assert.ok(differing > rowsB.length / 2, `only ${differing} modes lift otherwise in B`);
  assert.deepEqual(await mapRows(page, "A"), rowsA);

  // The chosen mode's B columns are torlin-modes' mode of the design.
  const [mode] = await modesCsv(["--design", kSmooth, "--exact", "--lever", "47:47:1", "--eccentric", "350:350:1"]);
  const shown = await tableValuesB(page);
  assert.ok(Object.keys(shown).length >= 20, `only ${Object.keys(shown).length} values of B in the table`);
  for (const [column, value] of Object.entries(shown)) {
    assert.ok(near(value ?? NaN, mode[column], tolerance(column)), `B's table ${column}: ${value} vs ${mode[column]}`);
  }

  // B's map with its loads, as the page exports it, is torlin-modes --design's, cell by cell.
  const csv = await page.evaluate(() => Explorer.exportMap("B"));
  const withLoads = await modesCsv(["--design", kSmooth, "--loads", "--rpm", "3000", "--lever-steps", String(grid), "--eccentric-steps", String(grid)]);
  const [header, ...all] = csv.trim().split("\n");
  const lines = all.filter((line) => !line.startsWith("# "));
  assert.deepEqual(all.slice(lines.length, lines.length + 2), ["# design,smooth-lever", "# windowSpeed_camDegPerFrame,4"]);
  // The limits each mode crosses last, in words.
  assert.equal(header, Object.keys(withLoads[0]).join(","));
  assert.equal(lines.length, withLoads.length);
  const names = header.split(",");
  const loadTolerance = (column) => (/^separationAt/.test(column) ? 1e-6 : /Torque|Hertz|PressureAngle|CamRadius|separation/.test(column) ? 1e-9 : tolerance(column));
  lines.forEach((line, i) => line.split(",").forEach((cell, k) => {
    const expected = withLoads[i][names[k]];
    if (names[k] === "exceededLimits") assert.equal(cell, expected ?? "", `B's map CSV row ${i}, ${names[k]}`);
    else assert.ok(near(cell === "" ? NaN : Number(cell), expected, loadTolerance(names[k])), `B's map CSV row ${i}, ${names[k]}: ${cell} vs ${expected}`);
  }));

  // The address carries the design: a fresh page has the same design, map and table.
  assert.match(page.url(), /[?&]design=[A-Za-z0-9_-]+(&|$)/);
  const text = await page.evaluate(() => Explorer.designB.text);
  const {page: again, errors: againErrors} = await openExplorer(session, {url: page.url()});
  assert.equal(await again.evaluate(() => Explorer.designB?.text), text);
  assert.deepEqual(await mapRows(again, "B"), rowsB);
  assert.deepEqual(await tableValuesB(again), shown);
  await shoot(again, "design-b-from-address");

  // Taken away, the page is the window's alone again, and so is its address.
  await again.click("#design-remove");
  await settled(again);
  assert.equal(await again.evaluate(() => Explorer.mapB), null);
  assert.doesNotMatch(again.url(), /design=/);
  assert.equal(await again.locator("#mode-table td.design-b").count(), 0);
  assert.equal(await again.isVisible("#difference-section"), false);
  assert.deepEqual([...errors, ...againErrors], []);
});

test("a design that cannot be used shows torlin-modes' lines for it, changes nothing, and the page keeps working",
     {skip: !haveModes && "torlin-modes is not built"}, async () => {
  const folder = await mkdtemp(join(tmpdir(), "torlin-designs-"));
  try {
    const window = JSON.parse(await readFile(join(kDesigns, "window.json"), "utf8"));
    const broken = {
      "syntax.json": '{"format": 1, "name": ',
      "unknown-key.json": JSON.stringify({...window, wheels: 4}),
      "short-link.json": JSON.stringify({...window, link: {length_mm: 2}}),
      "negative.json": JSON.stringify({...window, freeRoller: {radius_mm: -1}, rod: {length_mm: 0}}),
    };
    const {page, errors} = await openExplorer(session, {query: "?grid=10"});
    await openDesign(page, kSmooth);
    const before = await mapRows(page, "B");
    for (const [name, text] of Object.entries(broken)) {
      await writeFile(join(folder, name), text);
      const tool = await promisify(execFile)(kModes, ["--design", name], {cwd: folder}).then(() => null, (e) => e);
      assert.equal(tool?.code, 2, `${name}: torlin-modes takes it`);
      const expected = tool.stderr.trim().split("\n").map((line) => line.replace(/^torlin-modes: /, ""));
      await page.setInputFiles("#design-file", join(folder, name));
      await until(page, (n) => document.querySelector("#design-problem").textContent.startsWith(n), name);
      await settled(page);
      const lines = await page.$$eval("#design-problem span", (spans) => spans.map((s) => s.textContent));
      assert.deepEqual(lines, expected, name);
      if (name === "negative.json") await shoot(page, "design-refused");
      // B is still the design loaded before.
      assert.equal(await page.evaluate(() => Explorer.designB.name), "smooth-lever");
      assert.deepEqual(await mapRows(page, "B"), before);
    }
    // The page still answers: another mode, another map.
    await page.fill("#lever-number", "90");
    await page.press("#lever-number", "Enter");
    await page.fill("#map-steps", "8");
    await page.click("#map-run");
    await settled(page);
    assert.equal(await page.evaluate(() => Explorer.mapB.done), 64);
    assert.deepEqual(await page.evaluate(() => [Explorer.detail.lever, Explorer.detailB.lever, Explorer.detailB.maxLift > 0]), [90, 90, true]);

    // An address whose design is not one: said so, and the page is the window's alone.
    const {page: odd, errors: oddErrors} = await openExplorer(session, {query: "?grid=6&design=AAAA-not_deflate"});
    assert.match(await odd.textContent("#design-problem"), /^the address's design: cannot be read/);
    assert.equal(await odd.evaluate(() => Explorer.designB), null);
    assert.doesNotMatch(odd.url(), /design=/);
    assert.deepEqual([...errors, ...oddErrors], []);
  } finally {
    await rm(folder, {recursive: true, force: true});
  }
});

test("the window's design dropped on the page as B gives A's map exactly, and B - A of every heat map quantity is zero wherever both have one",
     async () => {
  const {page, errors} = await openExplorer(session, {query: "?grid=12"});
  const text = await readFile(join(kDesigns, "window.json"), "utf8");
  await page.evaluate((text) => {
    const files = new DataTransfer();
    files.items.add(new File([text], "window.json", {type: "application/json"}));
    dispatchEvent(new DragEvent("dragover", {dataTransfer: files, cancelable: true}));
    dispatchEvent(new DragEvent("drop", {dataTransfer: files, cancelable: true}));
  }, text);
  await until(page, () => Explorer.designB !== null);
  await settled(page);
  assert.equal(await page.textContent("#design-b-name"), "window (window.json)");
  assert.deepEqual(await mapRows(page, "B"), await mapRows(page, "A"));
  const quantities = await page.$$eval("#heat-quantity option", (options) => options.map((o) => o.value));
  assert.equal(quantities.length, 11);
  for (const quantity of quantities) {
    await page.selectOption("#heat-quantity", quantity);
    await settled(page);
    const {values, shownA, title, scale} = await page.evaluate(() => {
      const heat = Explorer.charts.difference.heat;
      const shownA = Array.from({length: Explorer.map.total},
        (_, i) => Number.isFinite(Explorer.map.rows[i * Explorer.layout.stride + heat.quantity.index]));
      return {values: Array.from(heat.values), shownA, title: Explorer.charts.difference.exportTitle,
              scale: document.querySelector("#difference-scale").textContent};
    });
    // Empty exactly where A has no value; zero wherever it has one.
    assert.deepEqual(values.map(Number.isFinite), shownA, quantity);
    assert.ok(values.every((v) => !Number.isFinite(v) || v === 0), `${quantity}: ${values.filter((v) => v !== 0 && Number.isFinite(v))}`);
    assert.ok(shownA.some(Boolean), `${quantity}: no mode has a value`);
    assert.match(title, /^Change in .*\(.+\).*, design B − design A$/);
    assert.match(scale, /^0 \S.* \(B lower\)0 \S.* \(B higher\)$/);
    if (quantity === "peakCamHertz_MPa") await shoot(page, "difference-zero");
  }
  const bad = await page.evaluate(() => /NaN|Infinity|undefined/.test(document.body.innerText) ||
    Object.values(Explorer.charts).some((c) => (c.mode === 2 ? c.data.slice(1).flat(2) : c.data.flat()).some((v) => v !== null && !Number.isFinite(v))));
  assert.equal(bad, false);
  assert.deepEqual(errors, []);
});

test("a design whose bars range otherwise has its map over its own ranges, as torlin-modes --design takes them, and no change map",
     {skip: !haveModes && "torlin-modes is not built"}, async () => {
  const folder = await mkdtemp(join(tmpdir(), "torlin-designs-"));
  try {
    const window = JSON.parse(await readFile(join(kDesigns, "window.json"), "utf8"));
    const narrow = join(folder, "narrow.json");
    await writeFile(narrow, JSON.stringify({...window, name: "narrow", shafts: {
      lever: {...window.shafts.lever, barMin: 10.5, barMax: 80},
      eccentric: {...window.shafts.eccentric, barMin: -50, barMax: 600}}}));
    const {page, errors} = await openExplorer(session, {query: "?grid=12"});
    await openDesign(page, narrow);
    const reference = await modesCsv(["--design", narrow, "--lever-steps", "12", "--eccentric-steps", "12"]);
    const rows = await mapRows(page, "B");
    assert.equal(rows.length, reference.length);
    assert.deepEqual([rows[0].lever, rows.at(-1).lever, rows[0].eccentric, rows.at(-1).eccentric], [11, 80, -50, 600]);
    rows.forEach((row, i) => {
      for (const [column, value] of Object.entries(row)) {
        assert.ok(near(value, reference[i][column], tolerance(column)), `row ${i}, ${column}: ${value} vs ${reference[i][column]}`);
      }
    });
    assert.equal(await page.isVisible("#difference"), false);
    assert.match(await page.textContent("#difference-scale"), /^Design B's bars range over lever 11 to 80 and eccentric -50 to 600, A's over 0 to 115 and -95 to 700/);
    assert.deepEqual(errors, []);
  } finally {
    await rm(folder, {recursive: true, force: true});
  }
});

test("with design B loaded the target answers for B as torlin-modes --design --target does, beside A's; pins draw B's lift; watching says it shows A",
     {skip: !haveModes && "torlin-modes is not built"}, async () => {
  const {page, errors} = await openExplorer(session, {query: "?lever=60&eccentric=200&target=6,180&pin=60,200&pin=98,700"});
  // A's answer alone before, and the watch link says nothing of designs.
  assert.equal(await page.locator("#target-answer [data-design]").count(), 0);
  assert.equal(await page.isVisible("#watch-design"), false);
  const answerA = await page.$$eval("#target-answer li", (items) => items.map((li) => [Number(li.dataset.lever), Number(li.dataset.eccentric)]));
  await openDesign(page, kSmooth);
  await shoot(page, "design-b-target-pins");

  const answers = (whose) => page.$$eval(`#target-answer [data-design='${whose}'] li`,
    (items) => items.map((li) => [Number(li.dataset.lever), Number(li.dataset.eccentric)]));
  const reference = async (args) => (await modesCsv([...args, "--target", "6,180"])).map((row) => [row.lever, row.eccentric]);
  const close = (shown, expected, what) => {
    assert.equal(shown.length, expected.length, what);
    shown.forEach(([l, e], i) => assert.ok(Math.abs(l - expected[i][0]) <= 1e-6 && Math.abs(e - expected[i][1]) <= 1e-6,
                                           `${what}: ${l},${e} vs ${expected[i]}`));
  };
  const expectedB = await reference(["--design", kSmooth]);
  close(await answers("B"), expectedB, "design B's answer");
  close(await answers("A"), await reference([]), "design A's answer");
  assert.deepEqual(await answers("A"), answerA);
  // B's own modes, not A's again.
  assert.ok(Math.abs(expectedB[0][0] - answerA[0][0]) > 1, `B's answer ${expectedB[0]} is A's ${answerA[0]}`);

  // Each pin's lift of B beside A's: B's series is B's own exact lift of that mode.
  const compare = await page.evaluate(() => ({labels: Explorer.charts.compare.series.slice(1).map((s) => s.label),
                                                maxima: Explorer.charts.compare.data.slice(1).map((ys) => Math.max(...ys.filter((y) => y !== null)))}));
  assert.deepEqual(compare.labels, ["design A lever 60.00, eccentric 200.00 (mm)", "design B lever 60.00, eccentric 200.00 (mm)",
                                    "design A lever 98.00, eccentric 700.00 (mm)", "design B lever 98.00, eccentric 700.00 (mm)"]);
  const [pinB] = await modesCsv(["--design", kSmooth, "--exact", "--lever", "98:98:1", "--eccentric", "700:700:1"]);
  assert.ok(Math.abs(compare.maxima[3] - pinB.exact_maxLift_mm) < 0.01, `B's pin lifts ${compare.maxima[3]}, torlin-modes ${pinB.exact_maxLift_mm}`);
  assert.ok(Math.abs(compare.maxima[1] - compare.maxima[0]) > 0.01 || Math.abs(compare.maxima[3] - compare.maxima[2]) > 0.01);

  // B's flags against the limits are torlin-modes --design's warnings for the chosen mode.
  const {stdout} = await promisify(execFile)(kModes, ["--design", kSmooth, "--loads", "60,200", "--rpm", "3000"]);
  const warningsB = stdout.split("\n").filter((l) => l.startsWith("# warning,")).map((l) => l.slice(10));
  assert.ok(warningsB.length > 0);
  assert.deepEqual(await page.$$eval("#mode-flags ul[data-design='B'] li[data-flag]", (items) => items.map((li) => li.firstChild.textContent)),
                   warningsB);

  // Watching stays A's, and says so.
  assert.equal(await page.isVisible("#watch-design"), true);
  assert.match(await page.textContent("#watch-design"), /design A, the window's: the demonstration shows only the\s+window's design/);

  // B taken away: A's answer alone again, the pins A's alone.
  await page.click("#design-remove");
  await settled(page);
  assert.equal(await page.locator("#target-answer [data-design]").count(), 0);
  assert.deepEqual(await page.$$eval("#target-answer li", (items) => items.map((li) => [Number(li.dataset.lever), Number(li.dataset.eccentric)])), answerA);
  assert.equal(await page.evaluate(() => Explorer.charts.compare.series.length), 3);
  assert.equal(await page.isVisible("#watch-design"), false);
  assert.deepEqual(errors, []);
});
