// The page runs the same model as the headless lift tool: a whole revolution at a
// setting gives the same contact indices and the same positions. The browser's
// sine, cosine and arctangent come from another C library than the desktop's and
// may differ in the last bit, so positions agree to 1e-12 mm, not to the last digit.
import { test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { existsSync } from "node:fs";
import { join } from "node:path";
import { kBuilt, openBrowser, openPage, until } from "./browser.mjs";

const kLift = process.env.TORLIN_LIFT ?? join(kBuilt, "..", "default", "tools", "torlin-lift");

// The tool's rows of one revolution, as numbers, keyed by cam angle.
function liftRows(lever, eccentric, revolution) {
  const csv = execFileSync(kLift, ["--lever", String(lever), "--eccentric", String(eccentric), "--revolutions", "3"],
                           {encoding: "utf8"});
  const rows = csv.trim().split("\n").slice(1).map((line) => line.split(",").map(Number));
  return rows.filter((row) => row[0] === revolution);
}

// The page's reports of the first whole revolution that started at least one
// revolution after the given one (the lever curve carries the old setting into the
// first frame after a change).
async function pageRevolution(page, after) {
  await until(page, (after) => {
    const reports = TorlinPage.stats.reports;
    return reports.some((r) => r[0] >= after + 3);
  }, after, 60000);
  return page.evaluate((after) => {
    const reports = TorlinPage.stats.reports;
    const wanted = reports.find((r) => r[0] >= after + 2)[0];
    return reports.filter((r) => r[0] === wanted);
  }, after);
}

const kPositionTolerance = 1e-12;

// Returns the largest difference of a position, and how many numbers differ at all.
function expectSameRevolution(pageRows, toolRows, setting) {
  assert.equal(pageRows.length, toolRows.length, `${setting}: frames in a revolution`);
  let largest = 0;
  let differing = 0;
  pageRows.forEach((row, i) => {
    const tool = toolRows[i];
    // Revolutions are counted from different starts; the angle and indices are equal.
    assert.deepEqual(row.slice(1, 4), tool.slice(1, 4), `${setting}: frame at ${row[1]} degrees`);
    for (let k = 4; k < row.length; ++k) {
      const difference = Math.abs(row[k] - tool[k]);
      assert.ok(difference <= kPositionTolerance, `${setting}: column ${k} at ${row[1]} degrees: ${row[k]} vs ${tool[k]}`);
      largest = Math.max(largest, difference);
      differing += row[k] !== tool[k];
    }
  });
  return {largest, differing};
}

test("a revolution at two settings equals the lift tool's", {skip: !existsSync(kLift) && `no ${kLift}`}, async () => {
  const session = await openBrowser();
  try {
    const {page, errors} = await openPage(session, {query: "?reports"});
    const first = expectSameRevolution(await pageRevolution(page, 0), liftRows(60, 200, 2), "lever 60, eccentric 200");

    const changedIn = await page.evaluate(() => TorlinPage.stats.reports.at(-1)[0]);
    await page.focus("#VScroll1");
    await page.keyboard.press("Home");
    await page.focus("#VScroll2");
    await page.keyboard.press("End");
    assert.deepEqual(await page.evaluate(() => [TorlinPage.bar(0).value, TorlinPage.bar(1).value]), [0, 700]);
    const second = expectSameRevolution(await pageRevolution(page, changedIn + 1), liftRows(0, 700, 2),
                                        "lever 0, eccentric 700");
    console.log(`positions differing from the tool's: ${first.differing} and ${second.differing}; ` +
                `largest difference ${Math.max(first.largest, second.largest)} mm`);
    assert.deepEqual(errors, []);
  } finally {
    await session.close();
  }
});
