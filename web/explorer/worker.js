// The Explorer's workers: every computation of the page runs here, in the C++
// analysis compiled to WebAssembly, so the page never waits on one. One worker
// answers for modes and targets; others share the map, each a slice at a time.
// Requests carry an id that the answer repeats.
"use strict";
if (typeof TorlinExplorerModule === "undefined") importScripts("torlin-explorer.js");

const kSlice = 200;  // modes per slice of the map
let module = null;
let current = 0;  // the page's number for the map or loads it wants now; a newer one stops an older

function answer(id, result, transfer = []) { postMessage({id, result}, transfer); }

// Works through a long job a slice at a time, so that questions in between get
// answered; each slice goes to the page with the run it belongs to.
function slices(kind, run, next) {
  if (run !== current) return;
  const rows = next(kSlice).slice();
  const more = rows.length > 0;  // read before the buffer is handed over
  postMessage({kind, run, rows}, [rows.buffer]);
  if (more) setTimeout(() => slices(kind, run, next), 0);
}

const kinds = {
  facts: () => module.facts(),
  map({run, speed, leverSteps, eccentricSteps, part, parts}) {
    const total = module.startMap(speed, leverSteps, eccentricSteps, part, parts);
    current = run;
    setTimeout(() => slices("map", run, (count) => module.continueMap(count)), 0);
    return {total};
  },
  loads({run, rpm, parameters}) {
    const total = module.startLoads(rpm, parameters);
    current = run;
    setTimeout(() => slices("loads", run, (count) => module.continueLoads(count)), 0);
    return {total};
  },
  stop: () => { current = 0; },
  mapCsvHeader: () => module.mapCsvHeader(),
  mapCsvRows: () => module.mapCsvRows(),
  mapCsvBlock: () => module.mapCsvBlock(),
  detail: ({lever, eccentric, speed, rpm, loadModel}) => {
    const d = module.detail(lever, eccentric, speed, rpm, loadModel ?? {});
    for (const key of ["windowCrank", "windowLift", "crank", "lift", "velocity", "acceleration", "jerk"]) d[key] = d[key].slice();
    return d;
  },
  target: ({lift, duration, levers, eccentrics, lifts, durations}) =>
    module.target(lift, duration, levers, eccentrics, lifts, durations),
  curvesCsv: ({levers, eccentrics, speed, rpm, step}) => module.curvesCsv(levers, eccentrics, speed, rpm, step),
  shaftAngles: ({lever, eccentric}) => module.shaftAngles(lever, eccentric),
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
    const result = kinds[data.kind](data.args ?? {});
    answer(data.id, {value: result, workMs: performance.now() - started});
  } catch (error) {
    postMessage({id: data.id, error: String(error)});
  }
};
