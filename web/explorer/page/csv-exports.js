// The CSV exports: the pinned modes' curves and the map.
import {loadsReady} from "./map.js";
import {$, Explorer} from "./state.js";
import {ask, mappers} from "./workers.js";

export function download(name, type, content) {
  const url = URL.createObjectURL(new Blob([content], {type}));
  const a = Object.assign(document.createElement("a"), {href: url, download: name});
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

// The exact curves of some modes, every half crank degree, as torlin-modes --svaj
// writes them, with the mode's bar values in front of each row.
export function curvesCsv(modes) {
  return ask("curvesCsv", {levers: modes.map((m) => m.lever), eccentrics: modes.map((m) => m.eccentric),
                           speed: Explorer.map.speed, rpm: Explorer.state.rpm, step: 0.5});
}

// The pinned modes' curves, or the chosen mode's when none is pinned.
export async function exportCurves() {
  const s = Explorer.state;
  const csv = await curvesCsv(s.pins.length ? s.pins : [{lever: s.lever, eccentric: s.eccentric}]);
  download("torlin-pinned-curves.csv", "text/csv", csv);
  return csv;
}

// The map's CSV as torlin-modes --loads writes it at the engine speed, each mode judged
// against the page's limits: each worker's rows, put back in the map's order (lever row
// by lever row, as the workers took them in turn), then what they were computed with in
// "# " lines. Design A's map, or B's.
export async function exportMap(which = "A") {
  const mapOf = () => (which === "B" ? Explorer.mapB : Explorer.map);
  if (!mapOf()) return null;
  const header = await ask("mapCsvHeader", {});
  let lines;
  let leverSteps;
  let eccentricSteps;
  let block;
  // The loads at the engine speed first; should the map or the speed change on the
  // way, the workers hand back nothing and the export waits for the new one.
  do {
    const map = mapOf();
    if (!map) return null;
    await loadsReady(map);
    ({leverSteps, eccentricSteps} = map);
    const {limits} = Explorer.state;
    const parts = await Promise.all(mappers.map((worker) => ask("mapCsvRows", {design: map.design, limits}, worker)));
    lines = parts.map((text) => text.split("\n").filter(Boolean));
    block = await ask("mapCsvBlock", {design: map.design, limits}, mappers[0]);
  } while (lines.reduce((sum, part) => sum + part.length, 0) !== leverSteps * eccentricSteps);
  const taken = lines.map(() => 0);
  let csv = header;
  for (let row = 0; row < leverSteps; ++row) {
    const part = row % mappers.length;
    csv += lines[part].slice(taken[part], taken[part] + eccentricSteps).map((line) => `${line}\n`).join("");
    taken[part] += eccentricSteps;
  }
  csv += block;
  download(which === "B" ? "torlin-mode-map-design-b.csv" : "torlin-mode-map.csv", "text/csv", csv);
  return csv;
}
