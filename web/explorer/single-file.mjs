// Writes the Explorer's single-file edition: the page with its styles, scripts,
// chart library, worker, WebAssembly and fonts inlined, so that it works opened
// from disk with no server. Usage: node single-file.mjs BUILT_DIR OUTPUT_FILE
import { readFile, writeFile, rename } from "node:fs/promises";
import { join } from "node:path";

const [built, output] = process.argv.slice(2);
const read = (name) => readFile(join(built, name), "utf8");
const base64 = async (name) => (await readFile(join(built, name))).toString("base64");
// Text inside a script element must not close it early.
const scriptSafe = (text) => text.replace(/<\/(script)/gi, "<\\/$1");

let html = await read("explorer.html");
let css = await read("explorer.css");
for (const [file, type] of [["fonts/explorer-regular.woff2", "font/woff2"], ["fonts/explorer-bold.woff2", "font/woff2"]]) {
  css = css.replace(`url("${file}")`, `url("data:${type};base64,${await base64(file)}")`);
}
const inline = {
  '<link rel="stylesheet" href="uPlot.min.css">': `<style>${await read("uPlot.min.css")}</style>`,
  '<link rel="stylesheet" href="explorer.css">': `<style>${css}</style>`,
  '<link rel="icon" href="torlin.svg" type="image/svg+xml">':
    `<link rel="icon" href="data:image/svg+xml;base64,${await base64("torlin.svg")}">`,
  '<script src="uPlot.iife.min.js"></script>': `<script>${scriptSafe(await read("uPlot.iife.min.js"))}</script>`,
  '<script src="explorer.js"></script>':
    `<script type="text/plain" id="worker-source">${scriptSafe(`${await read("torlin-explorer.js")}\n${await read("explorer-worker.js")}`)}</script>\n` +
    `<script type="text/plain" id="wasm-base64">${await base64("torlin-explorer.wasm")}</script>\n` +
    `<script>${scriptSafe(await read("explorer.js"))}</script>`,
};
for (const [from, to] of Object.entries(inline)) {
  if (!html.includes(from)) throw new Error(`single-file: the page no longer has ${from}`);
  html = html.replace(from, () => to);
}
// Written whole or not at all.
await writeFile(`${output}.part`, html);
await rename(`${output}.part`, output);
