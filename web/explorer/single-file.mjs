// Writes the Explorer's single-file edition: the page with its styles, scripts,
// chart library, worker, WebAssembly and fonts inlined, so that it works opened
// from disk with no server. Usage: node single-file.mjs BUILT_DIR OUTPUT_FILE
import { readFile, writeFile, rename } from "node:fs/promises";
import { join } from "node:path";
import { deflateRawSync } from "node:zlib";

const [built, output] = process.argv.slice(2);
const read = (name) => readFile(join(built, name), "utf8");
const base64 = async (name) => (await readFile(join(built, name))).toString("base64");
// The WebAssembly, most of the file, deflated first: a third of its size, in base64.
const deflatedBase64 = async (name) => deflateRawSync(await readFile(join(built, name)), {level: 9}).toString("base64");
// Text inside a script element must not close it early.
const scriptSafe = (text) => text.replace(/<\/(script)/gi, "<\\/$1");

// The page's modules in one module script: a page opened from disk may not load
// modules from files. Each module is taken after the ones it imports, as the browser
// evaluates them; their imports of one another go, and so does "export", which the
// modules' distinct top-level names allow. Any other form of import or export is
// refused rather than guessed at.
const kImport = /^import \{[^}]*\} from "\.\/([\w-]+\.js)";\n/gm;
async function modulesInOne(folder, entry) {
  const done = new Set();
  const texts = [];
  const take = async (name) => {
    if (done.has(name)) return;
    done.add(name);
    const text = await read(join(folder, name));
    for (const [, imported] of text.matchAll(kImport)) await take(imported);
    const body = text.replace(kImport, "").replace(/^export (?=(async function|function|const|let) )/gm, "");
    if (/^\s*(import|export)\b/m.test(body)) throw new Error(`single-file: ${name} imports or exports in a form this edition cannot inline`);
    texts.push(`// ${name}\n${body}`);
  };
  await take(entry);
  return texts.join("\n");
}

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
  '<script type="module" src="explorer/explorer.js"></script>':
    `<script type="text/plain" id="worker-source">${scriptSafe(`${await read("torlin-explorer.js")}\n${await read("explorer-worker.js")}`)}</script>\n` +
    `<script type="text/plain" id="wasm-deflated">${await deflatedBase64("torlin-explorer.wasm")}</script>\n` +
    `<script type="module">${scriptSafe(await modulesInOne("explorer", "explorer.js"))}</script>`,
};
for (const [from, to] of Object.entries(inline)) {
  if (!html.includes(from)) throw new Error(`single-file: the page no longer has ${from}`);
  html = html.replace(from, () => to);
}
// Written whole or not at all.
await writeFile(`${output}.part`, html);
await rename(`${output}.part`, output);
