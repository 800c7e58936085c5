// The Explorer's workers: every computation of the page runs here, in the C++
// analysis compiled to WebAssembly, so the page never waits on one. One worker
// answers for modes and targets; others share the map, each a slice at a time.
// Requests carry an id that the answer repeats, and name their design by its file's
// text (none: the window's design).
"use strict";
if (typeof TorlinExplorerModule === "undefined") importScripts("torlin-explorer.js");

const kSlice = 200;  // modes per slice of the map
let module = null;
// Per design, the page's number for the map or loads it wants now; a newer one stops an older.
const current = new Map();

function answer(id, result, transfer = []) { postMessage({id, result}, transfer); }

// Works through a long job a slice at a time, so that questions in between get
// answered; each slice goes to the page with the run it belongs to.
function slices(kind, design, run, next) {
  if (run !== current.get(design)) return;
  const rows = next(kSlice).slice();
  const more = rows.length > 0;  // read before the buffer is handed over
  postMessage({kind, run, rows}, [rows.buffer]);
  if (more) setTimeout(() => slices(kind, design, run, next), 0);
}

const kinds = {
  facts: () => module.facts(),
  checkDesign: ({design, fileName}) => module.checkDesign(design, fileName),
  map({design, run, speed, leverSteps, eccentricSteps, part, parts}) {
    const total = module.startMap(design, speed, leverSteps, eccentricSteps, part, parts);
    current.set(design, run);
    setTimeout(() => slices("map", design, run, (count) => module.continueMap(design, count)), 0);
    return {total};
  },
  loads({design, run, rpm, parameters}) {
    const total = module.startLoads(design, rpm, parameters);
    current.set(design, run);
    setTimeout(() => slices("loads", design, run, (count) => module.continueLoads(design, count)), 0);
    return {total};
  },
  stop: ({design}) => { current.delete(design); },
  mapCsvHeader: () => module.mapCsvHeader(),
  mapCsvRows: ({design, limits}) => module.mapCsvRows(design, limits),
  mapCsvBlock: ({design, limits}) => module.mapCsvBlock(design, limits),
  detail: ({design, lever, eccentric, speed, rpm, loadModel, limits}) => {
    const d = module.detail(design, lever, eccentric, speed, rpm, loadModel ?? {}, limits ?? {});
    for (const key of ["windowCrank", "windowLift", "crank", "lift", "velocity", "acceleration", "jerk"]) d[key] = d[key].slice();
    return d;
  },
  target: ({design, lift, duration, levers, eccentrics, lifts, durations}) =>
    module.target(design, lift, duration, levers, eccentrics, lifts, durations),
  curvesCsv: ({design, levers, eccentrics, speed, rpm, step}) => module.curvesCsv(design, levers, eccentrics, speed, rpm, step),
  shaftAngles: ({design, lever, eccentric}) => module.shaftAngles(design, lever, eccentric),
};

// Questions wait for the start, which brings the WebAssembly the page compiled.
let begin;
const ready = new Promise((resolve) => { begin = resolve; });
self.onmessage = async ({data}) => {
  if (data.kind === "start") {
    const instantiateWasm = (imports, receive) => {
      WebAssembly.instantiate(data.wasmModule, imports).then((instance) => receive(instance, data.wasmModule));
      return {};
    };
    TorlinExplorerModule({instantiateWasm}).then((m) => { module = m; begin(); });
    return;
  }
  await ready;
  try {
    const started = performance.now();
    const args = {...data.args};
    args.design ??= "";
    const result = kinds[data.kind](args);
    answer(data.id, {value: result, workMs: performance.now() - started});
  } catch (error) {
    postMessage({id: data.id, error: String(error)});
  }
};
