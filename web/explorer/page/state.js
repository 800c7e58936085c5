// The Explorer's state: the view the address holds, the map as the workers fill it,
// the answers on the screen, and the layout of the map's rows.
export const kMaxPins = 6;
// Per mode of the map: lever, eccentric, the summary's columns, then the load values
// (NaN until the map's loads are computed at the engine speed), as many of each as
// the worker's facts name (setLayout).
export let kLoadsAt = 0;
export let kStride = 0;
export let kLift = 0;      // maxLift_mm
export let kDuration = 0;  // duration1mm_crankDeg
// A worker's slice puts the mode's index in front of its values.
export let kMapSliceStride = 0;
export let kLoadsSliceStride = 0;
export function setLayout(facts) {
  const summary = facts.summary.map((c) => c.column);
  kLoadsAt = 2 + summary.length;
  kStride = kLoadsAt + facts.loads.length;
  kLift = 2 + summary.indexOf("maxLift_mm");
  kDuration = 2 + summary.indexOf("duration1mm_crankDeg");
  kMapSliceStride = 1 + kLoadsAt;
  kLoadsSliceStride = 1 + facts.loads.length;
}
export const kPinColours = ["#1f77b4", "#d62728", "#2ca02c", "#9467bd", "#ff7f0e", "#17becf"];
export const $ = (id) => document.getElementById(id);

export const Explorer = {
  facts: null,
  map: {rows: new Float64Array(0), done: 0, total: 0, speed: 400, steps: 100, run: 0, filled: new Uint8Array(0), loads: null},
  // design: design B as the address carries it (packed), or null.
  state: {lever: 60, eccentric: 200, rpm: 3000, speed: 400, grid: 100, loadModel: {}, limits: {}, pins: [], target: null, design: null},
  detail: null,
  // The designs compared: A, the window's; B, one loaded ({text, name, fileName, packed}),
  // with its map and its detail of the chosen mode.
  designA: {name: "the window's"},
  designB: null,
  mapB: null,
  detailB: null,
  target: null,
  targetB: null,  // design B's answer to the same target
  pinDetails: new Map(),
  charts: {},
  drawing: 0,  // questions on their way to the screen
  // designMapMs: from a design file's text to its map, checked and computed.
  stats: {mapStartedAt: 0, mapMs: null, loadsMs: null, detailMs: [], detailWorkerMs: [], targetMs: [], errors: 0,
          designStartedAt: 0, designMapMs: null},
};
window.Explorer = Explorer;
