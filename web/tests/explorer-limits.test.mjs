// The Explorer's flags against limits: the chosen mode's flags are torlin-modes' own
// '# warning' lines for the same mode, speed and limits, the map's CSV flags every mode
// as torlin-modes' map does, the limits are set on the page and carried by its address,
// and the red warning comes exactly where the motion fails below the engine speed. The loads are said once to be per valve, in --help's words.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { execFile } from "node:child_process";
import { promisify } from "node:util";
import { openBrowser } from "./browser.mjs";
import { haveModes, kModes, openExplorer, settled } from "./explorer.mjs";

let session;
before(async () => { session = await openBrowser({width: 1280, height: 900}); });
after(async () => { await session?.close(); });

const run = async (args) => (await promisify(execFile)(kModes, args, {maxBuffer: 64 << 20})).stdout;
// torlin-modes' warnings for one mode, each as the text after "# warning,".
const toolWarnings = async (args) => (await run(args)).split("\n").filter((l) => l.startsWith("# warning,")).map((l) => l.slice(10));

// The chosen mode's flags as the page shows them (design A's): the tool's text, and
// whether it is the red warning.
const shownFlags = (page) => page.$$eval("#mode-flags ul[data-design='A'] li[data-flag]", (items) =>
  items.map((li) => ({text: li.firstChild.textContent, red: li.classList.contains("past-the-speed"), all: li.textContent})));

async function setLimit(page, name, value) {
  await page.fill(`#limit-${name}`, value);
  await page.press(`#limit-${name}`, "Enter");
  await settled(page);
}

test("the chosen mode's flags are torlin-modes' warnings for the same limits, set on the page and carried by its link; red only below the engine speed",
     {skip: !haveModes && "torlin-modes is not built"}, async () => {
  const mode = ["--loads", "98,700", "--rpm", "6000"];
  const {page, errors} = await openExplorer(session, {query: "?lever=98&eccentric=700&rpm=6000"});
  const atDefaults = await shownFlags(page);
  assert.deepEqual(atDefaults.map((f) => f.text), await toolWarnings(mode));
  // This mode separates below 6,000 rpm: red, and the table is said not to describe the motion past it.
  assert.deepEqual(atDefaults.map((f) => f.red), [true, false]);
  assert.match(atDefaults[0].all, /^separation: .* below 6000 rpm; .*\. The table's numbers past that crank angle no longer describe the motion\.$/);

  await setLimit(page, "limitCamHertz_MPa", "900");
  await setLimit(page, "limitPressureAngle_deg", "70");
  await setLimit(page, "limitSeparation_rpm", "7000");
  const given = await toolWarnings([...mode, "--allowable-hertz", "900", "--max-pressure-angle", "70", "--min-separation-rpm", "7000"]);
  assert.deepEqual(given.map((w) => w.split(":")[0]), ["separation", "camHertz"]);
  assert.deepEqual((await shownFlags(page)).map((f) => f.text), given);
  const url = page.url();
  assert.match(url, /limitCamHertz_MPa=900/);
  assert.match(url, /limitPressureAngle_deg=70/);
  assert.match(url, /limitSeparation_rpm=7000/);

  // The map's CSV judges every mode against the same limits, as torlin-modes' map does,
  // and names the limits after the rows.
  const exported = (await page.evaluate(() => Explorer.exportMap())).trim().split("\n");
  const reference = (await run(["--loads", "--rpm", "6000", "--allowable-hertz", "900", "--max-pressure-angle", "70",
                                "--min-separation-rpm", "7000"])).trim().split("\n");
  const flagsOf = (lines) => lines.filter((l) => !l.startsWith("# ")).map((l) => l.slice(l.lastIndexOf(",") + 1));
  assert.deepEqual(flagsOf(exported), flagsOf(reference));
  assert.ok(new Set(flagsOf(exported).slice(1)).size > 1, "every mode judged alike");
  const limitLines = (lines) => lines.filter((l) => l.startsWith("# limit"));
  assert.deepEqual(limitLines(exported), ["# limitSeparation_rpm,7000", "# limitCamHertz_MPa,900", "# limitPressureAngle_deg,70"]);
  assert.deepEqual(limitLines(exported), limitLines(reference));

  // A copied link brings the limits, in their fields and in the flags.
  const {page: again, errors: againErrors} = await openExplorer(session, {url});
  assert.deepEqual((await shownFlags(again)).map((f) => f.text), given);
  assert.equal(await again.inputValue("#limit-limitCamHertz_MPa"), "900");

  // At 5,000 rpm the same mode does not separate yet: flagged against the 7,000 rpm
  // margin, but not red.
  await again.fill("#rpm", "5000");
  await again.press("#rpm", "Enter");
  await settled(again);
  const below = await shownFlags(again);
  assert.deepEqual(below.map((f) => f.text),
                   await toolWarnings(["--loads", "98,700", "--rpm", "5000", "--allowable-hertz", "900", "--max-pressure-angle", "70", "--min-separation-rpm", "7000"]));
  assert.deepEqual(below.map((f) => [f.text.split(":")[0], f.red]), [["separation", false], ["camHertz", false]]);
  assert.equal(await again.locator("#mode-flags .past-the-speed").count(), 0);

  // Back to the defaults: the address drops them (an empty separation limit is the engine speed's).
  await setLimit(again, "limitCamHertz_MPa", "1500");
  await setLimit(again, "limitSeparation_rpm", "");
  assert.doesNotMatch(again.url(), /limitCamHertz_MPa|limitSeparation_rpm/);
  assert.match(again.url(), /limitPressureAngle_deg=70/);
  // A limit out of range is refused, as the load model's values are.
  await setLimit(again, "limitPressureAngle_deg", "-3");
  assert.match(await again.textContent("#load-model-problem"), /^Not taken: pressure angle guideline must lie above 0 up to 90 deg\.$/);
  assert.equal(await again.inputValue("#limit-limitPressureAngle_deg"), "70");
  assert.deepEqual([...errors, ...againErrors], []);
});

test("the loads are said to be per valve in the words of torlin-modes --help", {skip: !haveModes && "torlin-modes is not built"}, async () => {
  const help = await run(["--help"]);
  const at = help.indexOf("Every load is per valve:");
  assert.ok(at >= 0, "--help has no paragraph on it");
  const paragraph = help.slice(at).split("\n\n")[0].replace("Every load is per valve:", "Every load is per valve.").replace(/\s+/g, " ").trim();
  const {page, errors} = await openExplorer(session);
  assert.equal((await page.textContent("#per-valve")).replace(/\s+/g, " ").trim(), paragraph);
  // Once, beside the load model.
  assert.equal(await page.evaluate(() => document.body.innerText.split("Every load is per valve").length - 1), 1);
  assert.equal(await page.evaluate(() => document.querySelector("#per-valve").previousElementSibling.id), "load-model");
  assert.deepEqual(errors, []);
});
