// The Explorer in a real browser: its numbers against torlin-modes', targets, the
// address, the single-file edition and a long random session.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { openBrowser } from "./browser.mjs";
import { haveModes, modesCsv, openExplorer, settled, tableValues } from "./explorer.mjs";

let session;
before(async () => { session = await openBrowser({width: 1280, height: 900}); });
after(async () => { await session?.close(); });

// The browser's sine, cosine and arctangent come from another C library than the
// desktop's and may differ in the last bit: the window's lifts and angles agree to
// 1e-12 (counts exactly); where a lift crosses a threshold, interpolated on a
// flat stretch, that difference grows, so crossings agree to 1e-9, and so does
// everything of the exact model, found by iteration.
const near = (value, expected, tolerance) =>
  value === expected || (value !== null && expected !== null && Math.abs(value - expected) <= tolerance * Math.max(1, Math.abs(expected)));

const tolerance = (column) => (/^exact_|^maxDifference|opening|closing|duration/.test(column) ? 1e-9 : 1e-12);

test("the table and the map equal torlin-modes' CSV: the window's model to 1e-12, the exact one to 1e-9",
     {skip: !haveModes && "torlin-modes is not built"}, async () => {
  const {page, errors} = await openExplorer(session);
  for (const [lever, eccentric] of [[60, 200], [0, 700], [88, 700], [115, -95], [33, 412]]) {
    await page.fill("#lever-number", String(lever));
    await page.press("#lever-number", "Enter");
    await page.fill("#eccentric-number", String(eccentric));
    await page.press("#eccentric-number", "Enter");
    await settled(page);
    const shown = await tableValues(page);
    const [row] = await modesCsv(["--lever", `${lever}:${lever}:1`, "--eccentric", `${eccentric}:${eccentric}:1`, "--exact"]);
    let compared = 0;
    for (const [column, value] of Object.entries(shown)) {
      assert.ok(column in row, `torlin-modes has no column ${column}`);
      assert.ok(near(value, row[column], tolerance(column)), `${lever},${eccentric} ${column}: ${value} vs ${row[column]}`);
      ++compared;
    }
    assert.ok(compared >= 20, `only ${compared} values compared`);
  }

  // The whole default map, cell by cell, from the page's own CSV export.
  const csv = await page.evaluate(() => Explorer.exportMap());
  const reference = await modesCsv([]);
  const [header, ...lines] = csv.trim().split("\n");
  const names = header.split(",");
  assert.equal(header, Object.keys(reference[0]).join(","));
  assert.equal(lines.length, reference.length);
  lines.forEach((line, i) => {
    const expected = Object.values(reference[i]);
    line.split(",").forEach((cell, k) => {
      assert.ok(near(cell === "" ? null : Number(cell), expected[k], tolerance(names[k])), `map row ${i}, ${names[k]}: ${cell} vs ${expected[k]}`);
    });
  });
  assert.deepEqual(errors, []);
});
