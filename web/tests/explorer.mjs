// Opening the Explorer in the test browser, and reading what it shows.
import { execFile } from "node:child_process";
import { existsSync } from "node:fs";
import { readdir, stat } from "node:fs/promises";
import { join } from "node:path";
import { promisify } from "node:util";
import { kBuilt, until } from "./browser.mjs";

const kRoot = new URL("../..", import.meta.url).pathname;
export const kModes = process.env.TORLIN_MODES ?? join(kRoot, "build", "default", "tools", "torlin-modes");
export const haveModes = existsSync(kModes);

// The Explorer at the given address (after "explorer.html"), once its map is
// complete and every answer asked for is drawn. Console errors are collected.
export async function openExplorer(session, {query = "", url = null} = {}) {
  for (const open of session.browser.pages()) await open.close();
  const page = await session.browser.newPage();
  const errors = [];
  page.on("console", (message) => { if (message.type() === "error") errors.push(message.text()); });
  page.on("pageerror", (error) => errors.push(String(error)));
  await page.goto(url ?? `${session.url}explorer.html${query}`);
  await settled(page);
  return {page, errors};
}

export const settled = (page) => until(page, () => window.Explorer?.idle?.(), null, 60000);

// The numbers of the mode's table, by the CSV column they stand for.
export const tableValues = (page) => page.evaluate(() => {
  const values = {};
  for (const cell of document.querySelectorAll("#mode-table td[data-column]")) {
    const data = cell.querySelector("data");
    values[cell.dataset.column] = data ? Number(data.value) : null;
  }
  return values;
});

// torlin-modes' CSV as objects of numbers (null for an empty cell).
export async function modesCsv(args) {
  const {stdout} = await promisify(execFile)(kModes, args, {maxBuffer: 64 << 20});
  // The table alone: the "# " notes after it say how it was made.
  const [header, ...lines] = stdout.trim().split("\n").filter((line) => !line.startsWith("# "));
  const names = header.split(",");
  // Numbers, and words (the limits a mode crosses) as they are.
  const value = (cell) => (cell === "" ? null : Number.isNaN(Number(cell)) ? cell : Number(cell));
  return lines.map((line) => Object.fromEntries(line.split(",").map((cell, i) => [names[i], value(cell)])));
}

// The bytes of every file the Explorer is made of, as built: the served page's and the
// single-file edition's.
export async function explorerBytes() {
  const modules = (await readdir(join(kBuilt, "explorer"))).map((name) => `explorer/${name}`);
  const files = [
    "explorer.html", ...modules, "explorer.css", "explorer-worker.js", "torlin-explorer.js", "torlin-explorer.wasm",
    "uPlot.iife.min.js", "uPlot.min.css", "fonts/explorer-regular.woff2", "fonts/explorer-bold.woff2", "torlin-explorer.html",
  ];
  let bytes = 0;
  for (const file of files) bytes += (await stat(join(kBuilt, file))).size;
  return bytes;
}
